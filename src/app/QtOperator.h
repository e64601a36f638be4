#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "common/Operator.h"

namespace ql {

// Message boxes on the desktop. Warnings beep and keep at most ten boxes open; a box
// raised while a timer tick runs is shown without blocking, so the link keeps being read.
// "Raw Files|*.raw|All Files|*.*" as Qt's name filters: "Raw Files (*.raw)", ...
QStringList QtNameFilters(const std::string& filter);

class QtOperator : public Operator {
 public:
  static constexpr int kMaxOpenWarnings = 10;

  void SetParent(QWidget* parent) { parent_ = parent; }

  void Warning(const std::string& caption, const std::string& text) override;
  void Notice(const std::string& caption, const std::string& text) override;
  Answer Ask(const Question& question) override;
  std::optional<std::string> ChooseFile(const FileDialog& dialog) override;
  void SetTickRunning(bool running) override { tickRunning_ = running; }

 private:
  void ShowOkBox(const std::string& caption, const std::string& text, bool exclamation);

  QPointer<QWidget> parent_;
  int openWarnings_ = 0;
  bool tickRunning_ = false;
};

}  // namespace ql
