#include "TRS422Form.h"

namespace ql {

TRS422Form::TRS422Form(QWidget* parent) : QDialog(parent) {
  setObjectName("RS422Form");
  setWindowTitle("Changing Host Port Interface Protocol");
  setModal(false);
}

}  // namespace ql
