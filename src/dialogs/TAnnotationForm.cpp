#include "TAnnotationForm.h"

namespace ql {

TAnnotationForm::TAnnotationForm(QWidget* parent) : QDialog(parent) {
  setObjectName("AnnotationForm");
  setWindowTitle("Annotate Archive File");
  setModal(false);
}

}  // namespace ql
