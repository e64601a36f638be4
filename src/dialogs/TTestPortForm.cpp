#include "TTestPortForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>

#include "DialogButton.h"
#include "cycle/HostState.h"
#include "loggertools/PortTest.h"
#include "setup/PortLineSetting.h"

namespace ql {
namespace {

QComboBox* LineCombo(QWidget* parent, const char* name) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  for (int i = 0; i < kHostPortLineCount; ++i) combo->addItem(kPortLineItems[static_cast<size_t>(i)]);
  combo->setCurrentIndex(kLine9600Setting);
  return combo;
}

}  // namespace

TTestPortForm::TTestPortForm(HostState& host, QWidget* parent) : QDialog(parent), host_(host) {
  setObjectName("TestPortForm");
  setWindowTitle("Test One Logger  Port");
  setModal(false);
  CBTestPort = new QComboBox(this);
  CBTestPort->setObjectName("CBTestPort");
  for (int port = 1; port <= 8; ++port) CBTestPort->addItem(QString("Port %1").arg(port));
  CBTestPort->addItem("Analog Ports");
  CBTestPort->setCurrentIndex(0);
  CBTestPortSetup = LineCombo(this, "CBTestPortSetup");
  CBHostPortSetup = LineCombo(this, "CBHostPortSetup");
  QPushButton* start = DialogButton(this, "BTTestPort", "Start Test");
  QPushButton* stop = DialogButton(this, "BTStopTest", "Stop Test");

  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel("     Select Port To Test       ", this), 0, 0);
  grid->addWidget(new QLabel("         Test Port Setup         ", this), 0, 1);
  grid->addWidget(new QLabel("         Host Port Setup         ", this), 0, 2);
  grid->addWidget(CBTestPort, 1, 0);
  grid->addWidget(CBTestPortSetup, 1, 1);
  grid->addWidget(CBHostPortSetup, 1, 2);
  grid->addWidget(start, 2, 0);
  grid->addWidget(stop, 2, 2);

  connect(start, &QPushButton::clicked, this, &TTestPortForm::BTTestPortClick);
  connect(stop, &QPushButton::clicked, this, &TTestPortForm::BTStopTestClick);
}

void TTestPortForm::BTTestPortClick() {
  if (CBTestPort->currentIndex() < 0) CBTestPort->setCurrentIndex(0);
  const PortTestChoice choice{CBTestPort->currentIndex(), CBTestPortSetup->currentIndex(),
                              CBHostPortSetup->currentIndex()};
  const std::optional<PortTestRecord> record = PortTestRecordFor(choice, host_.op);
  if (!record) return;
  emit ShowRawLoggerData();
  SendPortTest(host_.sender, *record);
}

void TTestPortForm::hideEvent(QHideEvent* event) {
  // A hide the window system makes (the main window minimised) is no closing.
  if (!event->spontaneous()) emit FormClose();
  QDialog::hideEvent(event);
}

}  // namespace ql
