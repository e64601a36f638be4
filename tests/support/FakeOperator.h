#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "common/Operator.h"

namespace ql::test {

// Records every box the host raises and answers questions from a script (OK, or Yes,
// when the script has run out).
class FakeOperator : public Operator {
 public:
  struct Box {
    std::string kind;  // "warning", "notice" or "ask"
    std::string caption;
    std::string text;
  };

  void Warning(const std::string& caption, const std::string& text) override;
  void Notice(const std::string& caption, const std::string& text) override;
  Answer Ask(const Question& question) override;
  // Answers from `files` in order; cancels once they have run out.
  std::optional<std::string> ChooseFile(const FileDialog& dialog) override;
  void SetTickRunning(bool running) override { tickRunning = running; }

  void Script(Answer answer) { answers.push_back(answer); }

  std::vector<Box> boxes;
  std::deque<Answer> answers;
  std::vector<Question> questions;
  std::deque<std::optional<std::string>> files;
  std::vector<FileDialog> fileDialogs;
  bool tickRunning = false;
  // Runs while a box is open, as the message loop would under a modal box.
  std::function<void()> whileOpen;

 private:
  void Raised(const Box& box);
};

}  // namespace ql::test
