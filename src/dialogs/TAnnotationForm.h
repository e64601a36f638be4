#pragma once

#include <QDialog>

namespace ql {

// Water-sample and free-text marks for the recorded archive.
class TAnnotationForm : public QDialog {
  Q_OBJECT

 public:
  explicit TAnnotationForm(QWidget* parent = nullptr);
};

}  // namespace ql
