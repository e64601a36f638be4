#pragma once

#include <QDialog>

namespace ql {

// The logger's host interface switch (RS-232 or RS-422).
class TRS422Form : public QDialog {
  Q_OBJECT

 public:
  explicit TRS422Form(QWidget* parent = nullptr);
};

}  // namespace ql
