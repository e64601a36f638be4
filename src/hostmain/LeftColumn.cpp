#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "Controls.h"
#include "TForm1.h"
#include "cycle/LinkHealth.h"
#include "dialogs/TSleepForm.h"
#include "dialogs/WidgetColour.h"
#include "setup/SetupEditing.h"

namespace ql {

using namespace controls;

namespace {

constexpr int kColumnLeft = 8;
constexpr int kColumnWidth = 230;
constexpr int kMargin = 8;
constexpr int kPanelHeight = 35;
constexpr int kStatusGroupClosedHeight = 20;

// A label whose text changes often keeps the size of the widest text it shows, so a new
// text is repainted without a layout pass of what surrounds it.
void HoldSize(QLabel* label, const QString& widestText) {
  const QString shown = label->text();
  label->setText(widestText);
  const QSize size = label->sizeHint();
  label->setText(shown);
  label->setFixedSize(size);
}

}  // namespace

void TForm1::BuildLeftColumn() {
  LeftColumn& l = left_;
  l.PStore = Panel(central_, "PStore", "Setup is ???");
  l.PStore->setCursor(Qt::PointingHandCursor);
  OnClick(l.PStore, [this] { BTGetSetup1Click(SetupButton::kStoreIndicator); });
  l.FlashPanel = Panel(central_, "FlashPanel", "Bad Flash Operations");
  l.RemoteHostPanel = Panel(central_, "RemoteHostPanel", "Remote Host Is On");
  l.FlashPanel->hide();
  l.RemoteHostPanel->hide();

  l.HostStatusGB = new QGroupBox("Host Status", central_);
  l.HostStatusGB->setObjectName("HostStatusGB");
  auto* status = new QVBoxLayout(l.HostStatusGB);
  status->setSpacing(2);
  l.LBHostDandT = Label(l.HostStatusGB, "LBHostDandT", "MM/DD/YY  HH:MM:SS");
  // The host time changes every second; the column around it stays as it is.
  HoldSize(l.LBHostDandT, "00/00/00  00:00:00");
  l.HostMode = Label(l.HostStatusGB, "HostMode", "No Mode Selected");
  l.HostMode->setAutoFillBackground(true);
  l.COMStatus = Label(l.HostStatusGB, "COMStatus", "No Port is OFF");
  l.PLoggerPort = Panel(l.HostStatusGB, "PLoggerPort", "Logger Port:");
  for (QWidget* w : {static_cast<QWidget*>(l.LBHostDandT), static_cast<QWidget*>(l.HostMode),
                     static_cast<QWidget*>(l.COMStatus), static_cast<QWidget*>(l.PLoggerPort)}) {
    status->addWidget(w);
  }
  l.HostStatusGB->resize(kColumnWidth, 120);

  l.LoggerPortGB = new QGroupBox("Logger Port Setup", central_);
  l.LoggerPortGB->setObjectName("LoggerPortGB");
  QStringList comItems{"No Port Selected"};
  for (int com = 1; com <= 12; ++com) comItems << QString("COM %1").arg(com);
  l.LoggerPortCB = Combo(l.LoggerPortGB, "LoggerPortCB", comItems);
  l.LoggerSetupCB = Combo(l.LoggerPortGB, "LoggerSetupCB",
                          {"OFF", "600", "1200", "2400", "4800", "4800,7,E,1", "9600", "9600, 7,E,1", "19200",
                           "38400", "57600", "115200"});
  l.CloseLoggerPortSetup = Button(l.LoggerPortGB, "CloseLoggerPortSetup", "X");
  l.CloseLoggerPortSetup->setFixedSize(20, 18);
  l.CloseLoggerPortSetup->setFlat(true);
  auto* portLayout = new QVBoxLayout(l.LoggerPortGB);
  portLayout->setContentsMargins(8, 18, 8, 8);
  portLayout->addWidget(l.LoggerPortCB);
  portLayout->addWidget(l.LoggerSetupCB);
  l.CloseLoggerPortSetup->move(kColumnWidth - 26, 0);
  l.LoggerPortGB->resize(kColumnWidth, 90);
  l.LoggerPortGB->hide();

  l.LoggerStatusGB = new QGroupBox("Logger Status", central_);
  l.LoggerStatusGB->setObjectName("LoggerStatusGB");
  l.LoggerStatusGB->setAutoFillBackground(true);
  auto* grid = new QGridLayout(l.LoggerStatusGB);
  grid->setVerticalSpacing(1);
  grid->setContentsMargins(8, 18, 8, 4);
  l.LoggerMode = Label(l.LoggerStatusGB, "LoggerMode", "");
  l.LoggerMode->setAutoFillBackground(true);
  l.LoggerMode->hide();
  l.LBOperation = Label(l.LoggerStatusGB, "LBOperation", "Stand By");
  l.LBOperation->setAutoFillBackground(true);
  l.LBDandT = Label(l.LoggerStatusGB, "LBDandT", "MM-DD-YY    HH:MM:SS");
  l.LBDandT->setAutoFillBackground(true);
  l.LBDrift = Label(l.LoggerStatusGB, "LBDrift", "");
  l.LBDrift->hide();
  l.LBTimeLeft = Label(l.LoggerStatusGB, "LBTimeLeft", "00:00:00");
  l.LBRunNumber = Label(l.LoggerStatusGB, "LBRunNumber", "Run Number:");
  l.LBRunSize = Label(l.LoggerStatusGB, "LBRunSize", "Run File Size:  0 K");
  l.LBCurrentV = Label(l.LoggerStatusGB, "LBCurrentV", "00.0 V");
  l.LBStartV = Label(l.LoggerStatusGB, "LBStartV", "00.0 V");
  l.LBEndV = Label(l.LoggerStatusGB, "LBEndV", "00.0 V");
  l.LBFreeDisk = Label(l.LoggerStatusGB, "LBFreeDisk", "0 K");
  l.LBTotalDisk = Label(l.LoggerStatusGB, "LBTotalDisk", "0 K");
  l.LBPower = Label(l.LoggerStatusGB, "LBPower", "Power: ");
  l.LBRunStop = Label(l.LoggerStatusGB, "LBRunStop", "Run/Stop Switch:  Disabled");
  const std::pair<const char*, QLabel*> rows[] = {
      {"", l.LoggerMode},      {"", l.LBOperation},          {"", l.LBDandT},
      {"", l.LBDrift},         {"Time Left:", l.LBTimeLeft}, {"", l.LBRunNumber},
      {"", l.LBRunSize},       {"Battery:", l.LBCurrentV},   {"Start:", l.LBStartV},
      {"End:", l.LBEndV},      {"Free:", l.LBFreeDisk},      {"Total:", l.LBTotalDisk},
      {"", l.LBPower},         {"", l.LBRunStop},
  };
  int row = 0;
  for (const auto& [caption, label] : rows) {
    if (*caption != '\0') {
      grid->addWidget(new QLabel(caption, l.LoggerStatusGB), row, 0);
      grid->addWidget(label, row++, 1);
    } else {
      grid->addWidget(label, row++, 0, 1, 2);
    }
  }
  grid->setRowStretch(row, 1);
  // Only the caption shows, on yellow, until the first status arrives.
  l.LoggerStatusGB->resize(kColumnWidth, kStatusGroupClosedHeight);
  ApplyColour(l.LoggerStatusGB, kYellow, kButtonFace);

  connect(l.LoggerPortCB, &QComboBox::activated, this, &TForm1::LoggerPortCBChange);
  connect(l.LoggerSetupCB, &QComboBox::activated, this, &TForm1::LoggerPortCBChange);
  connect(l.CloseLoggerPortSetup, &QPushButton::clicked, this, &TForm1::ShowLoggerPortSetupClick);
}

void TForm1::LoggerPortCBChange() {
  host_.loggerPort.comIndex = left_.LoggerPortCB->currentIndex();
  host_.loggerPort.lineIndex = left_.LoggerSetupCB->currentIndex();
  ql::LoggerPortCBChange(host_);
  SyncAfterEvent();
}

void TForm1::ShowLoggerPortSetupClick() {
  ql::ShowLoggerPortSetupClick(host_);
  SyncAfterEvent();
}

void TForm1::SyncLeftColumn() {
  LeftColumn& l = left_;
  const LoggerPortControls& port = host_.loggerPort;
  portShown_ = port;
  secondShown_ = host_.pc.secondShown;
  SetIndex(l.LoggerPortCB, port.comIndex);
  SetIndex(l.LoggerSetupCB, port.lineIndex);
  ApplyColour(l.LoggerPortCB, port.comColour, kWindowColour);
  ApplyColour(l.LoggerSetupCB, port.lineColour, kWindowColour);
  ApplyColour(l.PLoggerPort, port.panelColour, kButtonFace);
  SetText(l.PLoggerPort, port.panelText);
  SetVisible(l.PLoggerPort, port.panelVisible);
  SetVisible(l.COMStatus, port.offered);
  menus_.MenuLoggerPortSetup->menuAction()->setVisible(port.menuOffered);
  SetText(l.COMStatus, port.comStatus);
  SetText(l.LBHostDandT, host_.pc.hostDateTime);
  ApplyColour(l.LBDandT, host_.pc.loggerClockColour, kButtonFace);
  if (dialogs_.sleepForm != nullptr) dialogs_.sleepForm->SetHostTime(host_.pc.sleepHostTime, host_.pc.sleepHostDate);
  if (l.LoggerPortGB->isHidden() == port.groupVisible) {
    l.LoggerPortGB->setVisible(port.groupVisible);
    host_.layoutDirty = true;
  }
  SetVisible(l.FlashPanel, host_.flashPanelVisible);
  menus_.ShowLoggerPortSetup->setText(port.SetupMenuCaption());
  menus_.AutoBaudRateDetection->setChecked(port.autoBaud);

  const SetupPageState& setup = host_.setupPage;
  const StoreIndicator store = StoreIndicatorFor(setup.setupCurrent);
  SetText(l.PStore, store.text);
  ApplyColour(l.PStore, store.colour, kButtonFace);
  SetVisible(l.LoggerMode, setup.loggerModeVisible);
  SetText(l.LoggerMode, setup.loggerModeText);
  SetText(l.HostMode, HostModeText(host_.hostMode));
  const Colour modeColour = setup.modesDisagree ? kRed : kButtonFace;
  ApplyColour(l.LoggerMode, modeColour, kButtonFace);
  ApplyColour(l.HostMode, modeColour, kButtonFace);
  if (host_.layoutDirty) FormResize();
}

void TForm1::FormResize() {
  host_.layoutDirty = false;
  LeftColumn& l = left_;
  int top = kMargin;
  for (QWidget* w : {static_cast<QWidget*>(l.PStore), static_cast<QWidget*>(l.FlashPanel),
                     static_cast<QWidget*>(l.RemoteHostPanel)}) {
    w->setGeometry(kColumnLeft, top, kColumnWidth, kPanelHeight);
    if (!w->isHidden()) top += kPanelHeight + 4;
  }
  for (QWidget* w : {static_cast<QWidget*>(l.HostStatusGB), static_cast<QWidget*>(l.LoggerPortGB),
                     static_cast<QWidget*>(l.LoggerStatusGB)}) {
    w->move(kColumnLeft, top);
    if (!w->isHidden()) top += w->height() + 4;
  }
  const int left = l.HostStatusGB->geometry().right() + 1 + kMargin;
  const QSize client = central_->size();
  const int width = std::max(client.width() - left - kMargin, tabsMinimum_.width());
  const int height = std::max(client.height() - 2 * kMargin, tabsMinimum_.height());
  Tabs->setGeometry(left, kMargin, width, height);
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FormResize();
}

}  // namespace ql
