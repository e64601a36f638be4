#pragma once

#include <string>

namespace ql {

class Operator;

// Water-sample and free-text marks. A mark waits here, stamped with the PC time, until
// the PC logger carries it in the ninth slot of its next record.
class Annotation {
 public:
  static constexpr int kPendingSize = 1024;  // bytes of the pending text, its end included
  static constexpr int kTimeTextLength = 21;  // "12/08/26\t10:59:00.120"
  // The longest mark that fits behind the time text and a blank.
  static constexpr int kLongestMark = kPendingSize - 1 - kTimeTextLength - 1;
  static constexpr int kHighestSample = 1000;

  bool pending = false;
  std::string pendingText;
  int sampleNumber = 1;  // the current sample, used by the end mark

  // What the dialog shows.
  std::string lastMark = "Last Annotation...";      // LBAnnotation
  std::string markTime = "Date and Time";           // AnnotateDANDT
  std::string nextLabel = "Next Water Sample:  1";  // LBNext
  int next = 1;                                     // UDNext, 1..1000

  // InsertAnnotation: a mark still waiting is discarded with a message, the new one waits.
  void InsertAnnotation(const std::string& mark, const std::string& timeText, Operator& op);
  // The PC logger takes the waiting mark.
  std::string Take();

  // The dialog's buttons and up-down.
  void StartSample(const std::string& timeText, Operator& op);
  void EndSample(const std::string& timeText, Operator& op);
  void InsertText(const std::string& text, const std::string& timeText, Operator& op);
  void ResetCount();
  void NextMoved(int position);
};

}  // namespace ql
