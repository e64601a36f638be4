#include "TRS422Form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "serial/CommandFrame.h"
#include "serial/CommandSender.h"

namespace ql {
namespace {

// The way back to RS-232 has to be on screen before the operator leaves it.
const char* const kTexts[] = {
    "**** WARNING ****",
    "Changing the Host Port Interface to RS-422 will disable the RS-232 line drivers.",
    "Normal PC COM Port Communications will be lost.",
    "If you are unable to return to the RS232 protocol, as a last resort,  you may:",
    "(a)  Set the Host Port to 9600 Baud",
    "(b)  Access this menu",
    "(c)  Cycle the power on this data logger",
    "(d)  Press the 'Switch to RS232' button within 3 seconds of re-applying power ",
};

QPushButton* NamedButton(QWidget* parent, const char* name, const char* text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  return button;
}

}  // namespace

TRS422Form::TRS422Form(CommandSender& sender, QWidget* parent) : QDialog(parent), sender_(sender) {
  setObjectName("RS422Form");
  setWindowTitle("Changing Host Port Interface Protocol");
  setModal(false);
  auto* column = new QVBoxLayout(this);
  int line = 1;
  for (const char* text : kTexts) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QString("RS422Text%1").arg(line++));
    column->addWidget(label);
  }
  findChild<QLabel*>("RS422Text1")->setAlignment(Qt::AlignCenter);
  auto* buttons = new QHBoxLayout;
  QPushButton* rs232 = NamedButton(this, "RS232Button", "Switch to RS232");
  QPushButton* rs422 = NamedButton(this, "RS422Button", "Switch to RS422");
  QPushButton* cancel = NamedButton(this, "RS422Cancel", "CANCEL");
  for (QPushButton* b : {rs232, rs422, cancel}) buttons->addWidget(b);
  column->addLayout(buttons);
  connect(rs232, &QPushButton::clicked, this, &TRS422Form::RS232ButtonClick);
  connect(rs422, &QPushButton::clicked, this, &TRS422Form::RS422ButtonClick);
  connect(cancel, &QPushButton::clicked, this, &TRS422Form::RS422CancelClick);
}

void TRS422Form::RS232ButtonClick() {
  hide();
  sender_.SendCommand(CmdSelectRs232);
}

void TRS422Form::RS422ButtonClick() {
  hide();
  sender_.SendCommand(CmdSelectRs422);
}

void TRS422Form::RS422CancelClick() { hide(); }

}  // namespace ql
