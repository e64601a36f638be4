#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace ql {

// Turns a character stream into terminal display lines. CR or LF ends a line (a run of
// them ends it once); a line is also ended once it holds 101 characters. The unfinished
// line is kept between calls and shows only when it ends.
class TerminalWriter {
 public:
  static constexpr size_t kLongestLine = 101;

  using LineSink = std::function<void(const std::string& line)>;
  void SetLineSink(LineSink sink) { sink_ = std::move(sink); }

  // WriteTerminal: appends the pending text and empties it.
  void WriteTerminal(std::string& pending);
  void Write(std::string_view text);

 private:
  void EndLine();

  LineSink sink_;
  std::string line_;
  bool previousEndedLine_ = false;
};

}  // namespace ql
