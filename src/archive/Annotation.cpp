#include "Annotation.h"

#include <algorithm>

#include "common/Format.h"
#include "common/Operator.h"

namespace ql {

void Annotation::InsertAnnotation(const std::string& mark, const std::string& timeText, Operator& op) {
  if (pending) {
    pending = false;
    op.Warning("Error - Unable to insert this record into the Archive File", pendingText);
  }
  markTime = timeText;
  pendingText = timeText + " " + mark;
  if (pendingText.size() > kPendingSize - 1) {
    // The operator's text is UTF-8: cut before a character, never inside one.
    size_t cut = kPendingSize - 1;
    while (cut > 0 && (static_cast<unsigned char>(pendingText[cut]) & 0xC0) == 0x80) --cut;
    pendingText.resize(cut);
  }
  pending = true;
}

std::string Annotation::Take() {
  pending = false;
  return pendingText;
}

void Annotation::StartSample(const std::string& timeText, Operator& op) {
  sampleNumber = next;
  lastMark = Format("Start Sample %1d", sampleNumber);
  InsertAnnotation(lastMark, timeText, op);
  next = std::min(sampleNumber + 1, kHighestSample);
  nextLabel = Format("Next Water Sample:  %1d", next);
}

void Annotation::EndSample(const std::string& timeText, Operator& op) {
  lastMark = Format("End Sample %1d", sampleNumber);
  InsertAnnotation(lastMark, timeText, op);
}

void Annotation::InsertText(const std::string& text, const std::string& timeText, Operator& op) {
  lastMark = text;
  InsertAnnotation(text, timeText, op);
}

void Annotation::ResetCount() {
  next = 1;
  nextLabel = "Next Water Sample:  1";
  sampleNumber = 1;
}

void Annotation::NextMoved(int position) {
  next = std::clamp(position, 1, kHighestSample);
  nextLabel = Format("Next Water Sample: %1d", next);
}

}  // namespace ql
