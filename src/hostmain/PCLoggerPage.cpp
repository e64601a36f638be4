#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "Controls.h"
#include "TForm1.h"
#include "dialogs/WidgetColour.h"

namespace ql {

using namespace controls;

namespace {

QStringList DeckComItems() {
  QStringList items{"OFF"};
  for (int com = 1; com <= 10; ++com) items << QString("COM%1").arg(com);
  items << "COM 11" << "COM 12";
  return items;
}

const QStringList kDeckLineItems{"OFF",  "600",         "1200",  "2400",  "4800",  "4800,7,E,1",
                                 "9600", "9600, 7,E,1", "19200", "38400", "57600", "115200"};

}  // namespace

void TForm1::BuildPCLoggerPage() {
  PCLoggerPage& p = pcLogger_;
  QWidget* page = p.TSPCLogger = pages_[kTSPCLogger];
  auto* grid = new QGridLayout(page);
  grid->addWidget(Label(page, "LBPortFunction", "      Port Function      "), 0, 0);
  grid->addWidget(Label(page, "LBComPorts", "   COM Ports   "), 0, 1);
  grid->addWidget(Label(page, "LBPortSetup", "         Port Setup        "), 0, 2);
  p.PCOutHdr = Label(page, "PCOutHdr", "                      PC  Outputs                     ");
  p.PCInHdr = Label(page, "PCInHdr", "  PC  I/O  ");
  grid->addWidget(p.PCOutHdr, 0, 3, 1, 4);
  grid->addWidget(p.PCInHdr, 0, 7);

  for (int n = 1; n <= DeckPorts::kPorts; ++n) {
    DeckPortControls& r = p.rows[static_cast<size_t>(n)];
    const QString d = QString::number(n);
    r.PortTypeCB = Combo(page, "PortType" + d + "CB", {"In Active", "Meter Input", "Logger Output"});
    r.DeckPortCB = Combo(page, "DeckPort" + d + "CB", DeckComItems());
    r.DeckSetupCB = Combo(page, "DeckSetup" + d + "CB", kDeckLineItems);
    r.LBDeckType = Label(page, "LBDeckType" + d, "");
    r.UDDeckType = UpDown(page, "UDDeckType" + d, DeckPortRow::kLowestId, DeckPortRow::kHighestId, 2);
    r.PCOutPort = Label(page, "PCOutPort" + d, "");
    r.UDOutPort = UpDown(page, "UDOutPort" + d, DeckPortRow::kLowestPort, DeckPortRow::kHighestPort, 1);
    r.PCPort = Label(page, "PCPort" + d, "");
    int column = 0;
    for (QWidget* w : std::initializer_list<QWidget*>{r.PortTypeCB, r.DeckPortCB, r.DeckSetupCB, r.LBDeckType,
                                                      r.UDDeckType, r.PCOutPort, r.UDOutPort, r.PCPort}) {
      grid->addWidget(w, n, column++);
    }
    for (QComboBox* box : {r.PortTypeCB, r.DeckPortCB, r.DeckSetupCB}) {
      connect(box, &QComboBox::activated, this, [this, n] { PortType1CBChange(n); });
    }
    connect(r.UDDeckType, &QSpinBox::valueChanged, this, [this, n] { UDDeckType1Click(n); });
    connect(r.UDOutPort, &QSpinBox::valueChanged, this, [this, n] { UDOutPort1Click(n); });
  }

  auto* group = new QGroupBox("PC Logger ID = 1", page);
  group->setObjectName("PCLoggerGB");
  auto* rate = new QGridLayout(group);
  p.LBDeckRate = Label(group, "LBDeckRate", "");
  p.UDDeckRate = UpDown(group, "UDDeckRate", DeckRate::kLowest, DeckRate::kHighest, 1);
  p.LBDeckInterval = Label(group, "LBDeckInterval", "");
  p.CBRecordPCTime = CheckBox(group, "CBRecordPCTime", "Add PC Time to Port 9 ");
  rate->addWidget(p.LBDeckRate, 0, 0);
  rate->addWidget(p.UDDeckRate, 0, 1);
  rate->addWidget(p.LBDeckInterval, 1, 0, 1, 2);
  rate->addWidget(p.CBRecordPCTime, 2, 0, 1, 2);
  grid->addWidget(group, 10, 0, 3, 2);

  p.BTLoadDeck = Button(page, "BTLoadDeck", "Load New Setup");
  p.BTRestoreDeck = Button(page, "BTRestoreDeck", "Restore Last Setup");
  p.BTClearDeck = Button(page, "BTClearDeck", "Clear Setup");
  p.PCLoggerPanel = Panel(page, "PCLoggerPanel", "Setup is Not Loaded");
  ApplyColour(p.PCLoggerPanel, kYellow, kButtonFace);
  grid->addWidget(p.BTLoadDeck, 10, 2);
  grid->addWidget(p.BTRestoreDeck, 11, 2);
  grid->addWidget(p.BTClearDeck, 12, 2);
  grid->addWidget(p.PCLoggerPanel, 10, 3, 1, 3);
  grid->setRowStretch(13, 1);
  grid->setColumnStretch(8, 1);

  connect(p.UDDeckRate, &QSpinBox::valueChanged, this, &TForm1::UDDeckRateClick);
  connect(p.CBRecordPCTime, &QCheckBox::clicked, this, [this](bool checked) { host_.deckPorts.recordPcTime = checked; });
  connect(p.BTLoadDeck, &QPushButton::clicked, this, &TForm1::BTLoadDeckClick);
  connect(p.BTRestoreDeck, &QPushButton::clicked, this, &TForm1::BTRestoreDeckClick);
  connect(p.BTClearDeck, &QPushButton::clicked, this, &TForm1::CloseAllSurfacePortsClick);

  // The deck ports' one-second counts on the Data Status page.
  QWidget* status = dataStatus_.TSDataStatus;
  auto* column = new QVBoxLayout;
  p.DSPCPorts = Label(status, "DSPCPorts", "PC Ports");
  column->addWidget(p.DSPCPorts);
  for (int n = 1; n <= DeckPorts::kPorts; ++n) {
    p.rows[static_cast<size_t>(n)].DSPCPort = Label(status, QString("DSPCPort%1").arg(n), "");
    column->addWidget(p.rows[static_cast<size_t>(n)].DSPCPort);
  }
  column->addStretch(1);
  static_cast<QGridLayout*>(status->layout())->addLayout(column, 0, 7, 18, 1);
  SyncPCLoggerPage();
}

void TForm1::PortType1CBChange(int port) {
  const DeckPortControls& c = pcLogger_.rows[static_cast<size_t>(port)];
  DeckPortRow& row = host_.deckPorts.Row(port);
  row.function = c.PortTypeCB->currentIndex();
  row.comIndex = c.DeckPortCB->currentIndex();
  row.lineIndex = c.DeckSetupCB->currentIndex();
  ql::PortType1CBChange(host_.deckPorts);
  SyncPCLoggerPage();
}

void TForm1::UDDeckType1Click(int port) {
  ql::UDDeckType1Click(host_.deckPorts, port, pcLogger_.rows[static_cast<size_t>(port)].UDDeckType->value());
  SyncPCLoggerPage();
}

void TForm1::UDOutPort1Click(int port) {
  ql::UDOutPort1Click(host_.deckPorts, port, pcLogger_.rows[static_cast<size_t>(port)].UDOutPort->value());
  SyncPCLoggerPage();
}

void TForm1::UDDeckRateClick() {
  ql::UDDeckRateClick(host_.deckPorts.rate, pcLogger_.UDDeckRate->value());
  SyncPCLoggerPage();
}

void TForm1::BTLoadDeckClick() {
  ql::BTLoadDeckClick(host_.deckPorts, host_.deck, host_.ports);
  SyncPCLoggerPage();
}

void TForm1::BTRestoreDeckClick() {
  ql::BTRestoreDeckClick(host_.deckPorts, host_.deck);
  SyncPCLoggerPage();
}

void TForm1::CloseAllSurfacePortsClick() {
  ql::CloseAllSurfacePortsClick(host_.deckPorts);
  SyncPCLoggerPage();
}

void TForm1::SyncPCLoggerPage() {
  PCLoggerPage& p = pcLogger_;
  const DeckPorts& deck = host_.deckPorts;
  for (int n = 1; n <= DeckPorts::kPorts; ++n) {
    const DeckPortRow& row = deck.Row(n);
    DeckPortControls& c = p.rows[static_cast<size_t>(n)];
    SetIndex(c.PortTypeCB, row.function);
    SetIndex(c.DeckPortCB, row.comIndex);
    SetIndex(c.DeckSetupCB, row.lineIndex);
    SetVisible(c.DeckPortCB, row.comVisible);
    SetVisible(c.DeckSetupCB, row.comVisible);
    ApplyColour(c.DeckPortCB, row.comColour, kWindowColour);
    ApplyColour(c.DeckSetupCB, row.lineColour, kWindowColour);
    SetValue(c.UDDeckType, row.loggerId);
    SetText(c.LBDeckType, row.idLabel);
    SetVisible(c.LBDeckType, row.idVisible);
    SetVisible(c.UDDeckType, row.idVisible);
    SetValue(c.UDOutPort, row.loggerPort);
    SetText(c.PCOutPort, row.portLabel);
    SetVisible(c.PCOutPort, row.portVisible);
    SetVisible(c.UDOutPort, row.portVisible);
    for (QLabel* label : {c.PCPort, c.DSPCPort}) {
      SetText(label, row.label);
      SetVisible(label, row.labelVisible);
    }
  }
  SetVisible(p.DSPCPorts, deck.labelsHeadingVisible);
  SetVisible(p.PCInHdr, deck.inHeaderVisible);
  SetVisible(p.PCOutHdr, deck.outHeaderVisible);
  SetVisible(p.PCLoggerPanel, deck.notLoaded);
  SetValue(p.UDDeckRate, deck.rate.rate);
  SetText(p.LBDeckRate, deck.rate.rateLabel);
  SetText(p.LBDeckInterval, deck.rate.intervalLabel);
  SetChecked(p.CBRecordPCTime, deck.recordPcTime);
}

}  // namespace ql
