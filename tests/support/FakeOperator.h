#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/Operator.h"

namespace ql::test {

// Records every box the host raises and answers questions from a script (OK, or Yes,
// when the script has run out).
class FakeOperator : public Operator {
 public:
  struct Box {
    std::string kind;  // "warning", "notice", "ask", or "open" / "save" for file dialogs
    std::string caption;  // a file dialog's title
    std::string text;     // a file dialog's proposed name
  };

  void Warning(const std::string& caption, const std::string& text) override;
  void Notice(const std::string& caption, const std::string& text) override;
  Answer Ask(const Question& question) override;
  // Answers from `files` in order; cancels once they have run out. Open and save dialogs
  // asked for by their kind are kept among the boxes as well.
  std::optional<std::string> ChooseFile(const FileDialog& dialog) override;
  std::optional<std::string> OpenFile(FileDialog dialog) override;
  std::optional<std::string> SaveFile(FileDialog dialog) override;
  void SetTickRunning(bool running) override { tickRunning = running; }

  void Script(Answer answer) { answers.push_back(answer); }
  // The next file dialog returns this name; nothing scripted cancels it.
  void ScriptFile(std::optional<std::string> name) { files.push_back(std::move(name)); }

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
  std::optional<std::string> NextFile(const char* kind, const FileDialog& dialog);
};

}  // namespace ql::test
