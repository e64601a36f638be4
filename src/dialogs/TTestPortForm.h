#pragma once

#include <QDialog>

namespace ql {

// The single logger port test.
class TTestPortForm : public QDialog {
  Q_OBJECT

 public:
  explicit TTestPortForm(QWidget* parent = nullptr);
};

}  // namespace ql
