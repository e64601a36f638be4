#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include "Controls.h"
#include "TForm1.h"
#include "dialogs/WidgetColour.h"
#include "setup/PortDeviceType.h"
#include "setup/PortLineSetting.h"
#include "setup/SetupItems.h"

namespace ql {

using namespace controls;

namespace {

constexpr const char* kGetSetupPrompt = "Press \"Get Setup\"";

// Time up-downs and their edits and unit combos, in the order of the setup record.
struct TimeNames {
  const char* label;
  const char* edit;
  const char* combo;
};
constexpr std::array<TimeNames, 6> kTimeNames = {{
    {"Delay Before Start", "DelayEdit", "DelayCombo"},
    {"Pre-Warmup Flush", "PreFlushEdit", "PreFlushCombo"},
    {"Meter Warmup", "WarmupEdit", "WarmupCombo"},
    {"Meter Flush", "FlushEdit", "FlushCombo"},
    {"Sample Duration", "SampleEdit", "SampleCombo"},
    {"Sample Interval", "IntervalEdit", "IntervalCombo"},
}};

QComboBox* PromptCombo(QWidget* parent, const QString& name, const QStringList& items) {
  QComboBox* combo = Combo(parent, name, items);
  combo->setPlaceholderText(kGetSetupPrompt);
  combo->setCurrentIndex(-1);
  return combo;
}

QStringList PortLineItems(int count) {
  QStringList items;
  for (int i = 0; i < count; ++i) items << kPortLineItems[static_cast<size_t>(i)];
  return items;
}

}  // namespace

void TForm1::BuildPortSetupPage() {
  PortSetupPage& p = portSetup_;
  QWidget* page = p.TSPortSetup = pages_[kTSPortSetup];
  auto* grid = new QGridLayout(page);
  grid->setVerticalSpacing(2);

  p.LBSerial = Label(page, "LBSerial", "Serial Ports");
  grid->addWidget(p.LBSerial, 0, 0, 1, 2);
  p.serialHeadings = {Label(page, "SOPHLB1", "Once"), Label(page, "SOPHLB2", "per Hour")};
  grid->addWidget(p.serialHeadings.once, 0, 3);
  grid->addWidget(p.serialHeadings.perHour, 1, 3);
  for (int i = 0; i < 8; ++i) {
    SerialPortRow& r = p.serial[static_cast<size_t>(i)];
    const int row = 2 + i;
    r.LBS = Label(page, QString("LBS%1").arg(i + 1), QString("Port %1:").arg(i + 1));
    r.ComboMeter = Combo(page, QString("ComboMeter%1").arg(i + 1), ItemList(kDeviceTypeItems));
    r.CBPortSetup = Combo(page, QString("CBPort%1Setup").arg(i + 1), PortLineItems(13));
    r.SOPH = CheckBox(page, QString("SOPH%1").arg(i + 1), "");
    grid->addWidget(r.LBS, row, 0);
    grid->addWidget(r.ComboMeter, row, 1);
    grid->addWidget(r.CBPortSetup, row, 2);
    grid->addWidget(r.SOPH, row, 3, Qt::AlignHCenter);
  }

  p.LBAnalogSetup = Label(page, "LBAnalogSetup", "Analog Ports");
  grid->addWidget(p.LBAnalogSetup, 0, 5, 1, 2);
  p.analogHeadings = {Label(page, "AOPHLB1", "Once"), Label(page, "AOPHLB2", "per Hour")};
  grid->addWidget(p.analogHeadings.once, 0, 7);
  grid->addWidget(p.analogHeadings.perHour, 1, 7);
  for (int i = 0; i < 7; ++i) {
    AnalogPortRow& r = p.analog[static_cast<size_t>(i)];
    const int row = 2 + i;
    r.LBAnalog = Label(page, QString("LBAnalog%1").arg(i + 1), QString("Port %1").arg(i + 9));
    r.CBAnalog = Combo(page, QString("CBAnalog%1").arg(i + 1), ItemList(kAnalogItems));
    r.AOPH = CheckBox(page, QString("AOPH%1").arg(i + 1), "");
    grid->addWidget(r.LBAnalog, row, 5);
    grid->addWidget(r.CBAnalog, row, 6);
    grid->addWidget(r.AOPH, row, 7, Qt::AlignHCenter);
  }

  p.LBPump = Label(page, "LBPump", "Pumps");
  grid->addWidget(p.LBPump, 10, 5, 1, 2);
  p.pumpHeadings = {Label(page, "POPHLB1", "Once"), Label(page, "POPHLB2", "per Hour")};
  grid->addWidget(p.pumpHeadings.once, 10, 7);
  grid->addWidget(p.pumpHeadings.perHour, 11, 7);
  for (int i = 0; i < 4; ++i) {
    PumpRow& r = p.pumps[static_cast<size_t>(i)];
    const int row = 12 + i;
    r.LBPump = Label(page, QString("LBPump%1").arg(i + 1), QString("Port %1").arg(i + 16));
    r.CBPump = Combo(page, QString("CBPump%1").arg(i + 1), ItemList(PumpItems(i)));
    r.POPH = CheckBox(page, QString("POPH%1").arg(i + 1), "");
    grid->addWidget(r.LBPump, row, 5);
    grid->addWidget(r.CBPump, row, 6);
    grid->addWidget(r.POPH, row, 7, Qt::AlignHCenter);
  }

  p.HostType = Label(page, "HostType", "Host:  RS232");
  p.CBHostPortSetup = Combo(page, "CBHostPortSetup", PortLineItems(kHostPortLineCount));
  p.BTSendSetup1 = Button(page, "BTSendSetup1", "Send Setup");
  p.BTGetSetup1 = Button(page, "BTGetSetup1", "Get Setup");
  grid->addWidget(p.HostType, 11, 0);
  grid->addWidget(p.CBHostPortSetup, 11, 1);
  grid->addWidget(p.BTSendSetup1, 13, 1);
  grid->addWidget(p.BTGetSetup1, 14, 1);
  grid->setColumnMinimumWidth(4, 24);
  grid->setColumnStretch(8, 1);
  grid->setRowStretch(16, 1);
}

void TForm1::BuildLoggerControlPage() {
  LoggerControlPage& p = loggerControl_;
  QWidget* page = p.TSLoggerControl = pages_[kTSLoggerControl];

  auto place = [](QWidget* w, int left, int top, int width) {
    w->setGeometry(left, top, width, w->sizeHint().height());
  };
  p.ModeLB = Label(page, "ModeLB", "Mode of Operation");
  p.ModeCB = PromptCombo(page, "ModeCB", ItemList(kModeItems));
  p.OutputLB = Label(page, "OutputLB", "Logger Output Format");
  p.OutputCB = PromptCombo(page, "OutputCB", ItemList(kOutputItems));
  p.FileLB = Label(page, "FileLB", "Logged Data File Format");
  p.FileCB = PromptCombo(page, "FileCB", ItemList(kFileItems));
  p.TimeSourceLB = Label(page, "TimeSourceLB", "Moored Time Source");
  p.TimeSourceCB = Combo(page, "TimeSourceCB", ItemList(kTimeSourceItems));
  constexpr int kRow = 26;
  int top = 8;
  for (auto [label, combo] : {std::pair{p.ModeLB, p.ModeCB}, std::pair{p.OutputLB, p.OutputCB},
                              std::pair{p.FileLB, p.FileCB}, std::pair{p.TimeSourceLB, p.TimeSourceCB}}) {
    place(label, 8, top + 3, 150);
    place(combo, 160, top, 200);
    top += kRow;
  }

  top += 6;
  for (int i = 0; i < 6; ++i) {
    TimeRow& r = p.times[static_cast<size_t>(i)];
    const TimeRange& range = kTimeRanges[static_cast<size_t>(i)];
    r.label = Label(page, i == kInterval ? "LBSampleInterval" : "", kTimeNames[static_cast<size_t>(i)].label);
    r.UD = UpDown(page, range.upDown, range.min, range.max, 5, kTimeStep);
    r.UD->findChild<QLineEdit*>()->setObjectName(kTimeNames[static_cast<size_t>(i)].edit);
    r.Combo = Combo(page, kTimeNames[static_cast<size_t>(i)].combo, ItemList(kTimeUnitItems));
    place(r.label, 8, top + 3, 150);
    place(r.UD, 160, top, 80);
    place(r.Combo, 248, top, 112);
    top += kRow;
  }

  top += 6;
  Label(page, "", "Low Voltage Cut-Off")->setGeometry(8, top + 3, 150, 20);
  p.UDLVCutOff = UpDown(page, "UDLVCutOff", kLowestCutoff, kHighestCutoff, kLowestCutoff);
  p.UDLVCutOff->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  place(p.UDLVCutOff, 160, top, 80);
  p.LBLowVoltage = Label(page, "LBLowVoltage", "6.5 V");
  place(p.LBLowVoltage, 248, top + 3, 112);
  top += kRow;
  Label(page, "", "Analog Sample Rate")->setGeometry(8, top + 3, 150, 20);
  p.UDAnalogRate = UpDown(page, "UDAnalogRate", kLowestAnalogRate, kHighestAnalogRate, kLowestAnalogRate);
  place(p.UDAnalogRate, 160, top, 80);
  p.LBAnalogRate = Label(page, "LBAnalogRate", "1 Hz  1000 ms");
  p.LBAnalogRate->setAutoFillBackground(true);
  place(p.LBAnalogRate, 248, top + 3, 112);
  top += kRow;
  p.CBAutoStart = CheckBox(page, "CBAutoStart", "Start Sample When Powered");
  place(p.CBAutoStart, 8, top, 250);

  p.GroupBox7 = new QGroupBox("Operational Controls", page);
  p.GroupBox7->setObjectName("GroupBox7");
  p.GroupBox7->setGeometry(297, top + 30, 136, 98);
  p.BTBegin = Button(p.GroupBox7, "BTBegin", "Begin Sample");
  p.BTStop = Button(p.GroupBox7, "BTStop", "Stop");
  p.BTSleep = Button(p.GroupBox7, "BTSleep", "Sleep");
  p.BTBegin->setGeometry(8, 24, 120, 28);
  p.BTStop->setGeometry(8, 60, 120, 28);
  p.BTSleep->setGeometry(8, 24, 120, 28);

  p.Button1 = Button(page, "Button1", "Polled-Wake");
  p.Button2 = Button(page, "Button2", "Polled-Sleep");
  p.Button1->setGeometry(460, 8, 120, 28);
  p.Button2->setGeometry(460, 42, 120, 28);
  p.BTSendSetup2 = Button(page, "BTSendSetup2", "Send Setup");
  p.BTGetSetup2 = Button(page, "BTGetSetup2", "Get Setup");
  p.BTSendSetup2->setGeometry(460, 180, 120, 28);
  p.BTGetSetup2->setGeometry(460, 214, 120, 28);
}

template <typename Edit, typename Action>
void TForm1::SetupEdit(Edit edit, Action action) {
  edit(host_.setupPage.controls);
  action(host_);
  SyncAfterEvent();
}

void TForm1::ConnectSetupControls() {
  auto onChange = [this](QComboBox* combo, int SetupControls::*field) {
    connect(combo, &QComboBox::activated, this, [this, field](int index) {
      SetupEdit([&](SetupControls& c) { c.*field = index; }, ql::CBPort1SetupChange);
    });
  };
  auto onArrayChange = [this](QComboBox* combo, auto field, size_t i) {
    connect(combo, &QComboBox::activated, this, [this, field, i](int index) {
      SetupEdit([&](SetupControls& c) { (c.*field)[i] = index; }, ql::CBPort1SetupChange);
    });
  };
  auto onBox = [this](QCheckBox* box, auto field, size_t i) {
    connect(box, &QCheckBox::clicked, this, [this, field, i](bool checked) {
      SetupEdit([&](SetupControls& c) { (c.*field)[i] = checked; }, SetupEdited);
    });
  };
  for (size_t i = 0; i < 8; ++i) {
    onArrayChange(portSetup_.serial[i].ComboMeter, &SetupControls::meter, i);
    onArrayChange(portSetup_.serial[i].CBPortSetup, &SetupControls::portLine, i);
    onBox(portSetup_.serial[i].SOPH, &SetupControls::serialOncePerHour, i);
  }
  for (size_t i = 0; i < 7; ++i) {
    onArrayChange(portSetup_.analog[i].CBAnalog, &SetupControls::analog, i);
    onBox(portSetup_.analog[i].AOPH, &SetupControls::analogOncePerHour, i);
  }
  for (size_t i = 0; i < 4; ++i) {
    onArrayChange(portSetup_.pumps[i].CBPump, &SetupControls::pump, i);
    onBox(portSetup_.pumps[i].POPH, &SetupControls::pumpOncePerHour, i);
  }
  onChange(portSetup_.CBHostPortSetup, &SetupControls::hostPortLine);
  onChange(loggerControl_.OutputCB, &SetupControls::output);
  onChange(loggerControl_.FileCB, &SetupControls::file);

  LoggerControlPage& p = loggerControl_;
  for (size_t i = 0; i < p.times.size(); ++i) {
    connect(p.times[i].UD, &QSpinBox::valueChanged, this, [this, i](int value) {
      SetupEdit([&](SetupControls& c) { c.times[i].position = value; }, ql::CBPort1SetupChange);
    });
    connect(p.times[i].Combo, &QComboBox::activated, this, [this, i](int index) {
      SetupEdit([&](SetupControls& c) { c.times[i].unit = index; }, ql::CBPort1SetupChange);
    });
  }
  connect(p.ModeCB, &QComboBox::activated, this,
          [this](int index) { SetupEdit([&](SetupControls& c) { c.mode = index; }, ql::ModeCBChange); });
  connect(p.TimeSourceCB, &QComboBox::activated, this,
          [this](int index) { SetupEdit([&](SetupControls& c) { c.timeSource = index; }, SetupEdited); });
  connect(p.CBAutoStart, &QCheckBox::clicked, this, [this](bool checked) {
    SetupEdit([&](SetupControls& c) { c.autoStart = checked; }, ql::CBPort1SetupChange);
  });
  connect(p.UDAnalogRate, &QSpinBox::valueChanged, this,
          [this](int value) { SetupEdit([&](SetupControls& c) { c.analogRate = value; }, ql::UDAnalogRateClick); });
  connect(p.UDLVCutOff, &QSpinBox::valueChanged, this, [this](int value) {
    SetupEdit([&](SetupControls& c) { c.lowVoltageCutoff = value; }, ql::UDLVCutOffClick);
  });

  for (QPushButton* send : {portSetup_.BTSendSetup1, p.BTSendSetup2}) {
    connect(send, &QPushButton::clicked, this, &TForm1::BTSendSetup1Click);
  }
  for (QPushButton* get : {portSetup_.BTGetSetup1, p.BTGetSetup2}) {
    connect(get, &QPushButton::clicked, this, [this] { BTGetSetup1Click(SetupButton::kGetSetup); });
  }
  connect(p.BTBegin, &QPushButton::clicked, this, [this] { BTGetSetup1Click(SetupButton::kBegin); });
  connect(p.BTStop, &QPushButton::clicked, this, &TForm1::BTStopClick);
  connect(p.BTSleep, &QPushButton::clicked, this, &TForm1::BTSleepClick);
  connect(p.Button1, &QPushButton::clicked, this, [this] { Button1Click(true); });
  connect(p.Button2, &QPushButton::clicked, this, [this] { Button1Click(false); });
}

void TForm1::BTSendSetup1Click() {
  ql::BTSendSetup1Click(host_);
  SyncAfterEvent();
}

void TForm1::BTGetSetup1Click(SetupButton sender) { ql::BTGetSetup1Click(host_, sender); }

void TForm1::BTStopClick() { ql::BTStopClick(host_); }

void TForm1::Button1Click(bool wake) { ql::Button1Click(host_, wake); }

void TForm1::SyncSetupPages() {
  const SetupPageState& s = host_.setupPage;
  const SetupControls& c = s.controls;
  PortSetupPage& p = portSetup_;
  for (size_t i = 0; i < 8; ++i) {
    SerialPortRow& r = p.serial[i];
    SetIndex(r.ComboMeter, ShownIndex(c.meter[i], kDeviceTypeItems.size()));
    SetIndex(r.CBPortSetup, ShownIndex(c.portLine[i], kPortLineItems.size()));
    SetChecked(r.SOPH, c.serialOncePerHour[i]);
    SetVisible(r.SOPH, s.oncePerHourBoxes.serial[i]);
    for (QWidget* w : {static_cast<QWidget*>(r.LBS), static_cast<QWidget*>(r.ComboMeter),
                       static_cast<QWidget*>(r.CBPortSetup)}) {
      SetVisible(w, s.portLabels.serial[i]);
    }
  }
  for (size_t i = 0; i < 7; ++i) {
    AnalogPortRow& r = p.analog[i];
    SetIndex(r.CBAnalog, ShownIndex(c.analog[i], kAnalogItems.size()));
    SetChecked(r.AOPH, c.analogOncePerHour[i]);
    SetVisible(r.AOPH, s.oncePerHourBoxes.analog[i]);
    SetVisible(r.LBAnalog, s.portLabels.analog[i]);
    SetVisible(r.CBAnalog, s.portLabels.analog[i]);
  }
  for (size_t i = 0; i < 4; ++i) {
    PumpRow& r = p.pumps[i];
    SetIndex(r.CBPump, ShownIndex(c.pump[i], PumpItemCount(static_cast<int>(i))));
    SetChecked(r.POPH, c.pumpOncePerHour[i]);
    SetVisible(r.POPH, s.oncePerHourBoxes.pump[i]);
    SetVisible(r.LBPump, s.portLabels.pump[i]);
    SetVisible(r.CBPump, s.portLabels.pump[i]);
  }
  const OncePerHourHeadings& h = s.layout.headings;
  for (auto [pair, shown] : {std::pair{p.serialHeadings, h.serial}, std::pair{p.analogHeadings, h.analog},
                             std::pair{p.pumpHeadings, h.pump}}) {
    SetVisible(pair.once, shown);
    SetVisible(pair.perHour, shown);
  }
  SetIndex(p.CBHostPortSetup, ShownIndex(c.hostPortLine, kHostPortLineCount));

  LoggerControlPage& l = loggerControl_;
  SetIndex(l.ModeCB, ShownIndex(c.mode, kModeItems.size()));
  SetIndex(l.OutputCB, ShownIndex(c.output, kOutputItems.size()));
  SetIndex(l.FileCB, ShownIndex(c.file, kFileItems.size()));
  SetIndex(l.TimeSourceCB, ShownIndex(c.timeSource, kTimeSourceItems.size()));
  for (size_t i = 0; i < l.times.size(); ++i) {
    SetValue(l.times[i].UD, c.times[i].position);
    SetIndex(l.times[i].Combo, ShownIndex(c.times[i].unit, kTimeUnitItems.size()));
  }
  SetValue(l.UDLVCutOff, c.lowVoltageCutoff);
  SetText(l.LBLowVoltage, s.lowVoltage);
  SetValue(l.UDAnalogRate, c.analogRate);
  SetText(l.LBAnalogRate, s.analogRate.text);
  ApplyColour(l.LBAnalogRate, s.analogRate.colour, kSilver);
  SetChecked(l.CBAutoStart, c.autoStart);

  const ModeLayout& m = s.layout;
  const TimeRow& interval = l.times[kInterval];
  for (QWidget* w : {static_cast<QWidget*>(interval.label), static_cast<QWidget*>(interval.UD),
                     static_cast<QWidget*>(interval.Combo), static_cast<QWidget*>(l.BTSleep)}) {
    SetVisible(w, m.intervalVisible);
  }
  l.GroupBox7->setGeometry(m.groupBox7Left, l.GroupBox7->y(), m.groupBox7Width, l.GroupBox7->height());
  l.BTBegin->move(m.beginStopLeft, l.BTBegin->y());
  l.BTStop->move(m.beginStopLeft, l.BTStop->y());
  for (QPushButton* b : {l.Button1, l.Button2, realTime_.Button3, realTime_.Button4}) {
    SetVisible(b, m.polledButtonsVisible);
  }
}

}  // namespace ql
