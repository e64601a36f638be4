#include "FakeOperator.h"

namespace ql::test {

void FakeOperator::Raised(const Box& box) {
  boxes.push_back(box);
  if (whileOpen) whileOpen();
}

void FakeOperator::Warning(const std::string& caption, const std::string& text) { Raised({"warning", caption, text}); }

void FakeOperator::Notice(const std::string& caption, const std::string& text) { Raised({"notice", caption, text}); }

Operator::Answer FakeOperator::Ask(const Question& question) {
  questions.push_back(question);
  Raised({"ask", question.caption, question.text});
  if (!answers.empty()) {
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  return question.buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
}

std::optional<std::string> FakeOperator::OpenFile(FileDialog dialog) {
  Raised({"open", dialog.title, dialog.fileName});
  return Operator::OpenFile(dialog);
}

std::optional<std::string> FakeOperator::SaveFile(FileDialog dialog) {
  Raised({"save", dialog.title, dialog.fileName});
  return Operator::SaveFile(dialog);
}

std::optional<std::string> FakeOperator::ChooseFile(const FileDialog& dialog) {
  fileDialogs.push_back(dialog);
  if (files.empty()) return std::nullopt;
  std::optional<std::string> name = files.front();
  files.pop_front();
  return name;
}

}  // namespace ql::test
