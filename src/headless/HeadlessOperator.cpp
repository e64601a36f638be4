#include "HeadlessOperator.h"

namespace ql {

std::string OneLine(const std::string& caption, const std::string& text) {
  std::string line = caption.empty() ? text : caption + ": " + text;
  std::string out;
  for (char c : line) {
    const bool space = c == '\n' || c == '\r' || c == '\t';
    if (space && (out.empty() || out.back() == ' ')) continue;
    out += space ? ' ' : c;
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

void HeadlessOperator::Warning(const std::string& caption, const std::string& text) {
  messages_.push_back(OneLine(caption, text));
}

void HeadlessOperator::Notice(const std::string& caption, const std::string& text) {
  messages_.push_back(OneLine(caption, text));
}

Operator::Answer HeadlessOperator::Ask(const Question& question) {
  return question.buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
}

std::optional<std::string> HeadlessOperator::ChooseFile(const FileDialog&) {
  std::optional<std::string> answer;
  answer.swap(fileAnswer_);
  return answer;
}

std::vector<std::string> HeadlessOperator::TakeMessages() {
  std::vector<std::string> taken;
  taken.swap(messages_);
  return taken;
}

}  // namespace ql
