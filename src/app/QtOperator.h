#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "common/Operator.h"

namespace ql {

// Message boxes on the desktop. Warnings beep and keep at most ten boxes open; a box
// raised while a timer tick runs is shown without blocking, so the link keeps being read.
class QtOperator : public Operator {
 public:
  static constexpr int kMaxOpenWarnings = 10;

  void SetParent(QWidget* parent) { parent_ = parent; }

  void Warning(const std::string& caption, const std::string& text) override;
  void Notice(const std::string& caption, const std::string& text) override;
  Answer Ask(const Question& question) override;
  std::optional<std::string> OpenFile(const FileDialog& dialog) override;
  std::optional<std::string> SaveFile(const FileDialog& dialog) override;
  void SetTickRunning(bool running) override { tickRunning_ = running; }

 private:
  std::optional<std::string> RunFileDialog(const FileDialog& dialog, bool save);
  void ShowOkBox(const std::string& caption, const std::string& text, bool exclamation);

  QPointer<QWidget> parent_;
  int openWarnings_ = 0;
  bool tickRunning_ = false;
};

// A '|'-separated description and pattern list as a Qt name filter list: each
// description keeps its text and is followed by its patterns when it does not end with
// them already ("Run (run.000-run.999)|run.*" becomes "Run (run.000-run.999) (run.*)").
QString QtNameFilters(const std::string& filter);

}  // namespace ql
