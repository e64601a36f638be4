#include "TTestPortForm.h"

namespace ql {

TTestPortForm::TTestPortForm(QWidget* parent) : QDialog(parent) {
  setObjectName("TestPortForm");
  setWindowTitle("Test One Logger  Port");
  setModal(false);
}

}  // namespace ql
