#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/Operator.h"

namespace ql {

// The operator of the host without a window: the command line has decided every
// question in advance, so each is answered OK or Yes; every warning and notice is
// kept, one line each, for the program to print.
class HeadlessOperator : public Operator {
 public:
  void Warning(const std::string& caption, const std::string& text) override;
  void Notice(const std::string& caption, const std::string& text) override;
  Answer Ask(const Question& question) override;
  // A file dialog is answered with the name the command line gave, once.
  std::optional<std::string> ChooseFile(const FileDialog& dialog) override;
  void AnswerNextFileDialog(std::string name) { fileAnswer_ = std::move(name); }

  // The messages since the last call, oldest first, as "caption: text" on one line.
  std::vector<std::string> TakeMessages();

 private:
  std::vector<std::string> messages_;
  std::optional<std::string> fileAnswer_;
};

// A box's caption and text on one line: line breaks and tabs become spaces.
std::string OneLine(const std::string& caption, const std::string& text);

}  // namespace ql
