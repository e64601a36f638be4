#pragma once

#include <QDialog>
#include <string>

class QLabel;

namespace ql {

// "Set Logger ID": shows the ID the last status reported.
class TMuxIDForm : public QDialog {
  Q_OBJECT

 public:
  explicit TMuxIDForm(QWidget* parent = nullptr);
  void SetCurrentId(const std::string& text);

 private:
  QLabel* current_ = nullptr;
};

}  // namespace ql
