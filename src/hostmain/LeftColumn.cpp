#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "TForm1.h"
#include "dialogs/WidgetColour.h"
#include "cycle/LinkHealth.h"

namespace ql {
namespace {

constexpr int kColumnLeft = 8;
constexpr int kColumnWidth = 210;
constexpr int kMargin = 8;

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setObjectName(name);
  return label;
}

QComboBox* MakeCombo(QWidget* parent, const char* name, const QStringList& items) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->addItems(items);
  return combo;
}

void SetComboIndex(QComboBox* combo, int index) {
  if (combo->currentIndex() == index) return;
  const QSignalBlocker block(combo);
  combo->setCurrentIndex(index);
}

void SetLabelText(QLabel* label, const std::string& text) {
  const QString t = QString::fromStdString(text);
  if (label->text() != t) label->setText(t);
}

}  // namespace

void TForm1::BuildLeftColumn() {
  left_.FlashPanel = MakeLabel(central_, "FlashPanel", "Bad Flash Operations");
  left_.FlashPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  left_.FlashPanel->setAlignment(Qt::AlignCenter);
  left_.FlashPanel->resize(kColumnWidth, 35);
  left_.FlashPanel->hide();

  left_.HostStatusGB = new QGroupBox("Host Status", central_);
  left_.HostStatusGB->setObjectName("HostStatusGB");
  auto* status = new QVBoxLayout(left_.HostStatusGB);
  left_.LBHostDandT = MakeLabel(left_.HostStatusGB, "LBHostDandT", "MM/DD/YY  HH:MM:SS");
  left_.HostMode = MakeLabel(left_.HostStatusGB, "HostMode", "No Mode Selected");
  left_.COMStatus = MakeLabel(left_.HostStatusGB, "COMStatus", "No Port is OFF");
  left_.PLoggerPort = MakeLabel(left_.HostStatusGB, "PLoggerPort", "Logger Port:");
  left_.PLoggerPort->setFrameStyle(QFrame::Panel | QFrame::Raised);
  left_.PLoggerPort->setAlignment(Qt::AlignCenter);
  for (QWidget* w : {static_cast<QWidget*>(left_.LBHostDandT), static_cast<QWidget*>(left_.HostMode),
                     static_cast<QWidget*>(left_.COMStatus), static_cast<QWidget*>(left_.PLoggerPort)}) {
    status->addWidget(w);
  }
  left_.HostStatusGB->resize(kColumnWidth, 130);

  left_.LoggerPortGB = new QGroupBox("Logger Port Setup", central_);
  left_.LoggerPortGB->setObjectName("LoggerPortGB");
  QStringList comItems{"No Port Selected"};
  for (int com = 1; com <= 12; ++com) comItems << QString("COM %1").arg(com);
  left_.LoggerPortCB = MakeCombo(left_.LoggerPortGB, "LoggerPortCB", comItems);
  left_.LoggerSetupCB = MakeCombo(left_.LoggerPortGB, "LoggerSetupCB",
                                  {"OFF", "600", "1200", "2400", "4800", "4800,7,E,1", "9600",
                                   "9600, 7,E,1", "19200", "38400", "57600", "115200"});
  left_.CloseLoggerPortSetup = new QPushButton("X", left_.LoggerPortGB);
  left_.CloseLoggerPortSetup->setObjectName("CloseLoggerPortSetup");
  left_.CloseLoggerPortSetup->setFixedSize(20, 18);
  left_.CloseLoggerPortSetup->setFlat(true);
  auto* portLayout = new QVBoxLayout(left_.LoggerPortGB);
  portLayout->setContentsMargins(8, 18, 8, 8);
  portLayout->addWidget(left_.LoggerPortCB);
  portLayout->addWidget(left_.LoggerSetupCB);
  left_.CloseLoggerPortSetup->move(kColumnWidth - 26, 0);
  left_.LoggerPortGB->resize(kColumnWidth, 90);
  left_.LoggerPortGB->hide();

  connect(left_.LoggerPortCB, &QComboBox::activated, this, &TForm1::LoggerPortCBChange);
  connect(left_.LoggerSetupCB, &QComboBox::activated, this, &TForm1::LoggerPortCBChange);
  connect(left_.CloseLoggerPortSetup, &QPushButton::clicked, this, &TForm1::ShowLoggerPortSetupClick);
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
  const LoggerPortControls& port = host_.loggerPort;
  SetComboIndex(left_.LoggerPortCB, port.comIndex);
  SetComboIndex(left_.LoggerSetupCB, port.lineIndex);
  ApplyColour(left_.LoggerPortCB, port.comColour, kWindowColour);
  ApplyColour(left_.LoggerSetupCB, port.lineColour, kWindowColour);
  ApplyColour(left_.PLoggerPort, port.panelColour, kButtonFace);
  left_.PLoggerPort->setVisible(port.panelVisible);
  SetLabelText(left_.PLoggerPort, port.panelText);
  SetLabelText(left_.COMStatus, port.comStatus);
  SetLabelText(left_.LBHostDandT, host_.pc.hostDateTime);
  if (left_.LoggerPortGB->isHidden() == port.groupVisible) {
    left_.LoggerPortGB->setVisible(port.groupVisible);
    host_.layoutDirty = true;
  }
  if (left_.FlashPanel->isHidden() == host_.flashPanelVisible) left_.FlashPanel->setVisible(host_.flashPanelVisible);
  menus_.ShowLoggerPortSetup->setText(port.SetupMenuCaption());
  menus_.AutoBaudRateDetection->setChecked(port.autoBaud);
  if (host_.layoutDirty) FormResize();
}

void TForm1::FormResize() {
  host_.layoutDirty = false;
  int top = kMargin;
  for (QWidget* w : {static_cast<QWidget*>(left_.FlashPanel)}) {
    w->setGeometry(kColumnLeft, top, kColumnWidth, 35);
    if (!w->isHidden()) top += w->height() + 4;
  }
  for (QWidget* w : {static_cast<QWidget*>(left_.HostStatusGB), static_cast<QWidget*>(left_.LoggerPortGB)}) {
    w->move(kColumnLeft, top);
    if (!w->isHidden()) top += w->height() + 4;
  }
  const int left = left_.HostStatusGB->geometry().right() + 1 + kMargin;
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
