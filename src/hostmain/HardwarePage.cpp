#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "Controls.h"
#include "cycle/FactoryActions.h"
#include "TForm1.h"
#include "dialogs/WidgetColour.h"

namespace ql {

using namespace controls;

namespace {

// Row captions of the relay boxes, in box order.
QString RelayCaption(int box) {
  if (box < 8) return QString("Serial Port %1").arg(box + 1);
  if (box < 15) return QString("Analog Port %1").arg(box + 1);
  return QString("Pump Port %1").arg(box + 1);
}

QString RelayName(int box) {
  if (box < 8) return QString("RelaySP%1").arg(box + 1);
  if (box < 15) return QString("RelayAP%1").arg(box - 7);
  return QString("RelayPP%1").arg(box - 14);
}

}  // namespace

void TForm1::BuildHardwarePage() {
  HardwarePageControls& p = hardware_;
  QWidget* page = p.TSHardware = pages_[kTSHardware];
  auto* grid = new QGridLayout(page);

  p.HardwarePanel = Panel(page, "HardwarePanel", HardwarePageState::kPanelText);
  ApplyColour(p.HardwarePanel, kYellow, kButtonFace);
  p.BTGetHardware = Button(page, "BTGetHardware", "Get Hardware Configuration");
  p.BTSendHardwareSetup = Button(page, "BTSendHardwareSetup", "Send Hardware Configuration");
  p.HWPassword = new QLineEdit(Text(host_.factory.hardware.password), page);
  p.HWPassword->setObjectName("HWPassword");
  p.PasswordLabel = Label(page, "HWPasswordLabel", QString("Password=%1").arg(FactoryPassword::kPassword));
  p.DeviceTypeCB = Combo(page, "DeviceTypeCB", ItemList(kMeterTypeItems));
  p.UDSerialNumber = UpDown(page, "UDSerialNumber", 0, kSerialNumberMax, 0);
  p.UDSerialNumber->findChild<QLineEdit*>()->setObjectName("SNEdit");
  p.RunStopCB = Combo(page, "RunStopCB", ItemList(kRunStopItems));
  p.StatusLEDCB = Combo(page, "StatusLEDCB", ItemList(kStatusLedItems));
  p.BTLoadHardwareFile = Button(page, "BTLoadHardwareFile", "Load Hardware Config File");
  p.BTSaveHardwareFile = Button(page, "BTSaveHardwareFile", "Save Hardware Config File");
  p.BTDoneWithHardware = Button(page, "BTDoneWithHardware", "Done");
  p.BTQL9Defaults = Button(page, "BTQL9Defaults",
                           "Load Default Hardware Setup, Analog Calibration, Mux ID and Host Interface Setup into "
                           "Flash Memory");

  p.RelayGroup = new QGroupBox("Relay Assignments", page);
  p.RelayGroup->setObjectName("RelayGroup");
  auto* relays = new QGridLayout(p.RelayGroup);
  relays->setVerticalSpacing(2);
  for (int box = 0; box < kRelayBoxCount; ++box) {
    QComboBox*& relay = p.relays[static_cast<size_t>(box)];
    relay = Combo(p.RelayGroup, RelayName(box), ItemList(kRelayItems));
    const int column = box < 8 ? 0 : 2;
    const int row = box < 8 ? box : (box < 15 ? box - 8 : box - 15 + 8);
    relays->addWidget(Label(p.RelayGroup, RelayName(box) + "LB", RelayCaption(box)), row, column);
    relays->addWidget(relay, row, column + 1);
  }

  grid->addWidget(p.HardwarePanel, 0, 0, 1, 2);
  grid->addWidget(p.BTGetHardware, 1, 0, 1, 2);
  grid->addWidget(Label(page, "DeviceTypeLB", "Meter Type"), 2, 0);
  grid->addWidget(p.DeviceTypeCB, 2, 1);
  grid->addWidget(Label(page, "SNLB", "Serial Number"), 3, 0);
  grid->addWidget(p.UDSerialNumber, 3, 1);
  grid->addWidget(Label(page, "RunStopLB", "Run/Stop Switch"), 4, 0);
  grid->addWidget(p.RunStopCB, 4, 1);
  grid->addWidget(Label(page, "StatusLEDLB", "Status LED"), 5, 0);
  grid->addWidget(p.StatusLEDCB, 5, 1);
  grid->addWidget(p.PasswordLabel, 6, 0, 1, 2);
  grid->addWidget(p.HWPassword, 7, 0, 1, 2);
  grid->addWidget(p.BTSendHardwareSetup, 8, 0, 1, 2);
  grid->addWidget(p.BTLoadHardwareFile, 9, 0, 1, 2);
  grid->addWidget(p.BTSaveHardwareFile, 10, 0, 1, 2);
  grid->addWidget(p.BTDoneWithHardware, 11, 0, 1, 2);
  grid->addWidget(p.RelayGroup, 0, 2, 12, 1);
  grid->addWidget(p.BTQL9Defaults, 12, 0, 1, 3);
  grid->setColumnStretch(3, 1);
  grid->setRowStretch(13, 1);

  // The choice goes into the record to send; the host's known meter type comes only from
  // a received or loaded configuration and from the status.
  connect(p.DeviceTypeCB, &QComboBox::activated, this,
          [this](int index) { HardwareEdit([&] { host_.factory.hardware.controls.meterType = index; }); });
  connect(p.UDSerialNumber, &QSpinBox::valueChanged, this,
          [this](int value) { HardwareEdit([&] { host_.factory.hardware.controls.serialNumber = value; }); });
  connect(p.RunStopCB, &QComboBox::activated, this,
          [this](int index) { HardwareEdit([&] { host_.factory.hardware.controls.runStopSwitch = index; }); });
  connect(p.StatusLEDCB, &QComboBox::activated, this,
          [this](int index) { HardwareEdit([&] { host_.factory.hardware.controls.statusLed = index; }); });
  for (size_t box = 0; box < p.relays.size(); ++box) {
    connect(p.relays[box], &QComboBox::activated, this,
            [this, box](int index) { HardwareEdit([&] { host_.factory.hardware.controls.relays[box] = index; }); });
  }
  connect(p.HWPassword, &QLineEdit::textChanged, this,
          [this](const QString& text) { host_.factory.hardware.password = text.toStdString(); });
  connect(p.BTGetHardware, &QPushButton::clicked, this, [this] { BTGetSetup1Click(SetupButton::kGetHardware); });
  connect(p.BTQL9Defaults, &QPushButton::clicked, this, [this] { BTGetSetup1Click(SetupButton::kQL9Defaults); });
  connect(p.BTSendHardwareSetup, &QPushButton::clicked, this, &TForm1::BTSendHardwareSetupClick);
  connect(p.BTLoadHardwareFile, &QPushButton::clicked, this, &TForm1::BTLoadHardwareFileClick);
  connect(p.BTSaveHardwareFile, &QPushButton::clicked, this, &TForm1::BTSaveHardwareFileClick);
  connect(p.BTDoneWithHardware, &QPushButton::clicked, this, &TForm1::HardwareConfigClick);
  SyncHardwarePage();
}

template <typename Edit>
void TForm1::HardwareEdit(Edit edit) {
  edit();
  HardwareEdited(host_);
  SyncHardwarePage();
}

void TForm1::BTSendHardwareSetupClick() { ql::BTSendHardwareSetupClick(host_); }

void TForm1::BTSaveHardwareFileClick() { ql::BTSaveHardwareFileClick(host_); }

void TForm1::BTLoadHardwareFileClick() {
  ql::BTLoadHardwareFileClick(host_);
  SyncHardwarePage();
}

void TForm1::HardwareConfigClick() { TogglePage(hardware_.TSHardware, hardware_.HardwareConfig, kHardwareToggle); }

void TForm1::SyncHardwarePage() {
  const HardwarePageState& s = host_.factory.hardware;
  HardwarePageControls& p = hardware_;
  SetIndex(p.DeviceTypeCB, ShownIndex(s.controls.meterType, kMeterTypeItems.size()));
  SetValue(p.UDSerialNumber, s.controls.serialNumber);
  SetIndex(p.RunStopCB, ShownIndex(s.controls.runStopSwitch, kRunStopItems.size()));
  SetIndex(p.StatusLEDCB, ShownIndex(s.controls.statusLed, kStatusLedItems.size()));
  for (size_t box = 0; box < p.relays.size(); ++box) {
    SetIndex(p.relays[box], ShownIndex(s.controls.relays[box], kRelayItems.size()));
  }
  SetVisible(p.HardwarePanel, !s.current);
}

}  // namespace ql
