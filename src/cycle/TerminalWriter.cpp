#include "TerminalWriter.h"

namespace ql {

void TerminalWriter::WriteTerminal(std::string& pending) {
  Write(pending);
  pending.clear();
}

void TerminalWriter::Write(std::string_view text) {
  for (const char c : text) {
    const bool lineEnd = c == '\r' || c == '\n';
    if (lineEnd) {
      if (!previousEndedLine_) EndLine();
    } else {
      line_ += c;
      if (line_.size() >= kLongestLine) EndLine();
    }
    previousEndedLine_ = lineEnd;
  }
}

void TerminalWriter::EndLine() {
  if (sink_) sink_(line_);
  line_.clear();
}

}  // namespace ql
