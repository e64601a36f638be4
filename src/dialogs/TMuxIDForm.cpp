#include "TMuxIDForm.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "DialogButton.h"
#include "cycle/HostState.h"
#include "loggertools/LoggerId.h"

namespace ql {

TMuxIDForm::TMuxIDForm(HostState& host, QWidget* parent) : QDialog(parent), host_(host) {
  setObjectName("MuxIDForm");
  setWindowTitle("Set Logger ID");
  setModal(false);
  LBCurrentMuxID = new QLabel("Current Logger ID:  XXX", this);
  LBCurrentMuxID->setObjectName("LBCurrentMuxID");
  auto* label2 = new QLabel("Change Logger ID to:  ", this);
  label2->setObjectName("Label2");
  LBNewMuxID = new QLabel("002", this);
  LBNewMuxID->setObjectName("LBNewMuxID");
  UDMuxID = new QSpinBox(this);
  UDMuxID->setObjectName("UDMuxID");
  UDMuxID->setRange(kFirstNewLoggerId, kLastNewLoggerId);
  UDMuxID->setValue(kInitialNewLoggerId);
  UDMuxID->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  QPushButton* send = DialogButton(this, "BTSendMuxID", "Send New Logger ID");

  auto* grid = new QGridLayout(this);
  grid->addWidget(LBCurrentMuxID, 0, 0, 1, 3);
  grid->addWidget(label2, 1, 0);
  grid->addWidget(LBNewMuxID, 1, 1);
  grid->addWidget(UDMuxID, 1, 2);
  grid->addWidget(send, 2, 0, 1, 3);

  connect(UDMuxID, &QSpinBox::valueChanged, this, &TMuxIDForm::UDMuxIDClick);
  connect(send, &QPushButton::clicked, this, &TMuxIDForm::BTSendMuxIDClick);
}

void TMuxIDForm::SetCurrentId(const std::string& text) {
  const QString t = QString::fromStdString(text);
  if (LBCurrentMuxID->text() != t) LBCurrentMuxID->setText(t);
}

void TMuxIDForm::UDMuxIDClick() { LBNewMuxID->setText(QString::fromStdString(NewLoggerIdText(UDMuxID->value()))); }

void TMuxIDForm::BTSendMuxIDClick() { SendNewLoggerId(host_.sender, UDMuxID->value()); }

}  // namespace ql
