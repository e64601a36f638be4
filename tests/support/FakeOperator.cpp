#include "FakeOperator.h"

namespace ql::test {

void FakeOperator::Warning(const std::string& caption, const std::string& text) {
  boxes.push_back({"warning", caption, text});
}

void FakeOperator::Notice(const std::string& caption, const std::string& text) {
  boxes.push_back({"notice", caption, text});
}

Operator::Answer FakeOperator::Ask(const Question& question) {
  boxes.push_back({"ask", question.caption, question.text});
  questions.push_back(question);
  if (!answers.empty()) {
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  return question.buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
}

}  // namespace ql::test
