#include "ExitQuestion.h"

#include <string>

#include "HostState.h"
#include "flash/RunUpload.h"

namespace ql {

Operator::Question ExitQuestion(const HostState& host) {
  Operator::Question q;
  q.caption = "Program Termination";
  for (const std::string& notice : {UploadUnderWayText(host.flash), host.recording.UnderWayText()}) {
    if (!notice.empty()) q.text += notice + "\n\n";
  }
  q.text += "EXIT Program?";
  q.buttons = Operator::Buttons::OkCancel;
  q.icon = Operator::Icon::Question;
  q.questionBeep = true;
  return q;
}

}  // namespace ql
