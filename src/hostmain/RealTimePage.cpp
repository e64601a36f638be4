#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include "TForm1.h"
#include "cycle/OperatorText.h"

namespace ql {

void TForm1::BuildRealTimePage() {
  RealTimePage& p = realTime_;
  p.TSRealTime = new QWidget;
  p.TSRealTime->setObjectName("TSRealTime");
  Tabs->addTab(p.TSRealTime, "Real Time Data");

  p.Memo1 = new QPlainTextEdit(p.TSRealTime);
  p.Memo1->setObjectName("Memo1");
  p.Memo1->setReadOnly(true);
  p.Memo1->setMaximumBlockCount(static_cast<int>(TerminalWriter::kLongestLine));
  p.Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  p.Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  p.Memo1->setFont(QFont("Monospace"));

  p.BTDisplayRaw = new QPushButton("Display Data", p.TSRealTime);
  p.BTDisplayRaw->setObjectName("BTDisplayRaw");
  p.RawSourceCB = new QComboBox(p.TSRealTime);
  p.RawSourceCB->setObjectName("RawSourceCB");
  p.RawSourceCB->addItems({"Parsed Data", "Raw Logger Data", "Raw PC Logger Data"});
  p.RawPortCB = new QComboBox(p.TSRealTime);
  p.RawPortCB->setObjectName("RawPortCB");
  for (int port = 1; port <= 8; ++port) p.RawPortCB->addItem(QString("Display Port %1").arg(port));
  p.RawPortCB->addItem("All Analog Data");
  p.RawMuxIDUD = new QSpinBox(p.TSRealTime);
  p.RawMuxIDUD->setObjectName("RawMuxIDUD");
  p.RawMuxIDUD->setRange(1, 4);
  p.RawMuxIDUD->setValue(2);
  p.RawMuxIDLB = new QLabel(p.TSRealTime);
  p.RawMuxIDLB->setObjectName("RawMuxIDLB");

  p.LBTimeUnit = new QLabel("Time Unit: 0", p.TSRealTime);
  p.LBTimeUnit->setObjectName("LBTimeUnit");
  p.LBTimeUnit->hide();
  for (int n = 1; n <= 4; ++n) {
    QLabel* unit = new QLabel(QString("Unit %1: 0 \t0 \t0").arg(n), p.TSRealTime);
    unit->setObjectName(QString("LBUnit%1").arg(n));
    p.LBUnit[static_cast<size_t>(n - 1)] = unit;
  }
  p.BTResetCounters = new QPushButton("Reset Counters", p.TSRealTime);
  p.BTResetCounters->setObjectName("BTResetCounters");
  p.EditSendText = new QLineEdit("Enter Text", p.TSRealTime);
  p.EditSendText->setObjectName("EditSendText");
  p.BTSendText = new QPushButton("Send w/o CR LF", p.TSRealTime);
  p.BTSendText->setObjectName("BTSendText");

  auto* grid = new QGridLayout(p.TSRealTime);
  grid->addWidget(p.BTDisplayRaw, 0, 0);
  grid->addWidget(p.RawSourceCB, 0, 1);
  grid->addWidget(p.RawPortCB, 0, 2);
  grid->addWidget(p.RawMuxIDLB, 0, 3);
  grid->addWidget(p.RawMuxIDUD, 0, 4);
  grid->addWidget(p.Memo1, 1, 0, 1, 6);
  grid->addWidget(p.EditSendText, 2, 0, 1, 4);
  grid->addWidget(p.BTSendText, 2, 4);
  auto* counts = new QHBoxLayout;
  counts->addWidget(p.LBTimeUnit);
  for (QLabel* unit : p.LBUnit) counts->addWidget(unit);
  counts->addStretch(1);
  counts->addWidget(p.BTResetCounters);
  grid->addLayout(counts, 3, 0, 1, 6);
  grid->setColumnStretch(5, 1);

  host_.terminal.SetLineSink([memo = p.Memo1](const std::string& line) {
    memo->appendPlainText(QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
  });

  connect(p.BTDisplayRaw, &QPushButton::clicked, this, &TForm1::BTDisplayRawClick);
  connect(p.RawSourceCB, &QComboBox::activated, this, &TForm1::RawPortCBChange);
  connect(p.RawPortCB, &QComboBox::activated, this, &TForm1::RawPortCBChange);
  connect(p.RawMuxIDUD, &QSpinBox::valueChanged, this, &TForm1::RawPortCBChange);
  connect(p.BTResetCounters, &QPushButton::clicked, this, &TForm1::BTResetCountersClick);
  connect(p.EditSendText, &QLineEdit::returnPressed, this, &TForm1::EditSendTextKeyDown);
  connect(p.BTSendText, &QPushButton::clicked, this, &TForm1::BTSendTextClick);
}

void TForm1::BTResetCountersClick() { host_.senders.ResetPerSender(); }

void TForm1::EditSendTextKeyDown() {
  const std::string text = realTime_.EditSendText->text().toStdString();
  realTime_.EditSendText->clear();
  SendOperatorText(host_, text, true);
}

void TForm1::BTSendTextClick() {
  const std::string text = realTime_.EditSendText->text().toStdString();
  realTime_.EditSendText->clear();
  SendOperatorText(host_, text, false);
}

void TForm1::BTDisplayRawClick() {
  ToggleDisplay(host_.display);
  SyncRealTimePage();
}

void TForm1::RawPortCBChange() {
  ql::RawPortCBChange(host_.display, realTime_.RawSourceCB->currentIndex(), realTime_.RawPortCB->currentIndex(),
                      realTime_.RawMuxIDUD->value());
  SyncRealTimePage();
}

void TForm1::SyncRealTimePage() {
  const RealTimeDisplay& d = host_.display;
  realTime_.BTDisplayRaw->setText(d.ButtonCaption());
  realTime_.RawMuxIDLB->setText(QString::fromStdString(d.loggerIdLabel));
  realTime_.RawMuxIDLB->setVisible(d.selectorsVisible);
  realTime_.RawMuxIDUD->setVisible(d.selectorsVisible);
  realTime_.RawPortCB->setVisible(d.selectorsVisible);
  realTime_.LBTimeUnit->setText(QString::fromStdString(d.timeUnitLabel));
  for (size_t i = 0; i < realTime_.LBUnit.size(); ++i) {
    realTime_.LBUnit[i]->setText(QString::fromStdString(d.unitLabels[i]));
  }
}

}  // namespace ql
