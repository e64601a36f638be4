#pragma once

#include <QDialog>
#include <string>

class QLabel;

namespace ql {

// The red "WARNING!!!" window: one label and an OK button that hides it. Shown without
// blocking, so the link keeps running behind it.
class TForm2 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent = nullptr);
  void ShowWarning(const std::string& text);

 private:
  QLabel* label_ = nullptr;
};

}  // namespace ql
