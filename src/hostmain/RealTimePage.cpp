#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

#include "dialogs/SteadyLabel.h"
#include "Controls.h"
#include "TForm1.h"
#include "TabStopLabel.h"
#include "cycle/OperatorText.h"

namespace ql {

using namespace controls;

void TForm1::BuildRealTimePage() {
  RealTimePage& p = realTime_;
  QWidget* page = p.TSRealTime = pages_[kTSRealTime];

  p.Memo1 = new QPlainTextEdit(page);
  p.Memo1->setObjectName("Memo1");
  p.Memo1->setReadOnly(true);
  p.Memo1->setMaximumBlockCount(static_cast<int>(TerminalWriter::kLongestLine));
  p.Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  p.Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  p.Memo1->setFont(QFont("Monospace"));

  p.BTDisplayRaw = Button(page, "BTDisplayRaw", "Display Data");
  p.RawSourceCB = Combo(page, "RawSourceCB", {"Parsed Data", "Raw Logger Data", "Raw PC Logger Data"});
  QStringList ports;
  for (int port = 1; port <= 8; ++port) ports << QString("Display Port %1").arg(port);
  ports << "All Analog Data";
  p.RawPortCB = Combo(page, "RawPortCB", ports);
  p.RawMuxIDUD = UpDown(page, "RawMuxIDUD", 1, 4, 2);
  p.RawMuxIDLB = Label(page, "RawMuxIDLB", "");
  p.LBTimeUnit = Label(page, "LBTimeUnit", "Time Unit: 0");
  p.LBTimeUnit->hide();
  // The counts line up under their headings: a tab goes to the next column.
  const QFontMetrics metrics(page->font());
  const int gap = metrics.horizontalAdvance("   ");
  const int records = metrics.horizontalAdvance("Unit 4: ");
  const int lost = records + std::max(metrics.horizontalAdvance("Records"), metrics.horizontalAdvance("00000000")) + gap;
  const int lastGap = lost + std::max(metrics.horizontalAdvance("Lost"), metrics.horizontalAdvance("000000")) + gap;
  const QList<int> stops{records, lost, lastGap};
  for (int n = 1; n <= 4; ++n) {
    auto* unit = new TabStopLabel(QString("Unit %1: 0 \t0 \t0").arg(n), page);
    unit->setObjectName(QString("LBUnit%1").arg(n));
    unit->SetTabStops(stops);
    p.LBUnit[static_cast<size_t>(n - 1)] = unit;
  }
  for (int column = 1; column <= 2; ++column) {
    auto* headings = new TabStopLabel("\tRecords\tLost\tLast gap", page);
    headings->setObjectName(QString("LBUnitHeadings%1").arg(column));
    headings->SetTabStops(stops);
    p.LBUnitHeadings[static_cast<size_t>(column - 1)] = headings;
  }
  p.BTResetCounters = Button(page, "BTResetCounters", "Reset Counters");
  p.EditSendText = new QLineEdit("Enter Text", page);
  p.EditSendText->setObjectName("EditSendText");
  p.BTSendText = Button(page, "BTSendText", "Send w/o CR LF");
  p.Button3 = Button(page, "Button3", "Polled-Wake");
  p.Button4 = Button(page, "Button4", "Polled-Sleep");

  auto* grid = new QGridLayout(page);
  grid->addWidget(p.BTDisplayRaw, 0, 0);
  grid->addWidget(p.RawSourceCB, 0, 1);
  grid->addWidget(p.RawPortCB, 0, 2);
  grid->addWidget(p.RawMuxIDLB, 0, 3);
  grid->addWidget(p.RawMuxIDUD, 0, 4);
  grid->addWidget(p.Memo1, 1, 0, 1, 6);
  grid->addWidget(p.EditSendText, 2, 0, 1, 4);
  grid->addWidget(p.BTSendText, 2, 4);
  auto* counts = new QGridLayout;
  counts->addWidget(p.LBTimeUnit, 1, 0);
  counts->addWidget(p.LBUnitHeadings[0], 0, 1);
  counts->addWidget(p.LBUnitHeadings[1], 0, 2);
  // The counts keep their size as they change, held to the left under their headings.
  for (size_t i = 0; i < p.LBUnit.size(); ++i) {
    counts->addWidget(p.LBUnit[i], static_cast<int>(1 + i / 2), static_cast<int>(1 + i % 2), Qt::AlignLeft);
  }
  counts->setColumnMinimumWidth(1, 200);
  counts->setColumnMinimumWidth(2, 200);
  counts->setColumnStretch(3, 1);
  counts->addWidget(p.Button3, 1, 4);
  counts->addWidget(p.Button4, 2, 4);
  counts->addWidget(p.BTResetCounters, 1, 5);
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
  connect(p.Button3, &QPushButton::clicked, this, [this] { Button1Click(true); });
  connect(p.Button4, &QPushButton::clicked, this, [this] { Button1Click(false); });
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

void TForm1::BTResetCountersClick() { host_.senders.ResetPerSender(); }

namespace {

// The logger and its instruments speak 8-bit text, and the terminal shows the logger's
// bytes as Latin-1: the typed text goes out in the same single bytes, so that the echo
// is what was sent. A character outside Latin-1 becomes '?'.
std::string TakeOperatorText(QLineEdit* edit) {
  const QByteArray bytes = edit->text().toLatin1();
  edit->clear();
  return bytes.toStdString();
}

}  // namespace

void TForm1::EditSendTextKeyDown() { SendOperatorText(host_, TakeOperatorText(realTime_.EditSendText), true); }

void TForm1::BTSendTextClick() { SendOperatorText(host_, TakeOperatorText(realTime_.EditSendText), false); }

void TForm1::SyncRealTimePage() {
  const RealTimeDisplay& d = host_.display;
  // The selectors show the choice in force, also when a host setup file made it.
  SetIndex(realTime_.RawSourceCB, d.source);
  SetIndex(realTime_.RawPortCB, d.port);
  SetValue(realTime_.RawMuxIDUD, d.loggerId);
  SetText(realTime_.BTDisplayRaw, d.ButtonCaption());
  SetText(realTime_.RawMuxIDLB, d.loggerIdLabel);
  SetVisible(realTime_.RawMuxIDLB, d.selectorsVisible);
  SetVisible(realTime_.RawMuxIDUD, d.selectorsVisible);
  SetVisible(realTime_.RawPortCB, d.selectorsVisible);
  SetText(realTime_.LBTimeUnit, d.timeUnitLabel);
  for (size_t i = 0; i < realTime_.LBUnit.size(); ++i) realTime_.LBUnit[i]->SetSteadyText(Text(d.unitLabels[i]));
}

}  // namespace ql
