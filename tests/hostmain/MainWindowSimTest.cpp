#include <QApplication>
#include <QGroupBox>
#include <QMouseEvent>
#include <QTabWidget>

#include "MainWindowFixture.h"
#include "dialogs/TForm2.h"
#include "dialogs/TMuxIDForm.h"
#include "dialogs/WidgetColour.h"
#include "loggersim/SimulatedSerialDevice.h"

namespace ql {
namespace {

// The whole window against the simulated logger, in Advanced User mode on COM1.
struct MainWindowSimTest : test::SimulatedWindowFixture {
  QString Store() { return Find<QLabel>("PStore")->text(); }
};

TEST_F(MainWindowSimTest, GetSetupMakesTheSetupCurrentAndAnEditUndoesIt) {
  Second();
  EXPECT_EQ(Store(), "Setup is Not Current");
  EXPECT_EQ(AppliedColour(Find<QLabel>("PStore"), kButtonFace), kYellow);
  Find<QPushButton>("BTGetSetup1")->click();
  Second();
  Second();
  EXPECT_EQ(Store(), "Setup is Current");
  EXPECT_EQ(AppliedColour(Find<QLabel>("PStore"), kButtonFace), kSilver);
  EXPECT_EQ(Find<QComboBox>("ModeCB")->currentText(), "Real Time Mode");
  EXPECT_EQ(Find<QComboBox>("ComboMeter1")->currentText(), "ASCII");
  EXPECT_EQ(Find<QLabel>("M1TypeLabel")->text(), "ASCII");
  EXPECT_FALSE(Find<QLabel>("LoggerMode")->isHidden());

  Choose("ComboMeter2", 3);
  EXPECT_EQ(Store(), "Setup is Not Current");
  Choose("CBPort2Setup", 8);
  Find<QPushButton>("BTSendSetup2")->click();
  Second();
  Choose("ComboMeter2", 0);  // not sent: the logger's setup brings the sent one back
  Find<QPushButton>("BTGetSetup2")->click();
  Second();
  Second();
  EXPECT_EQ(Find<QComboBox>("ComboMeter2")->currentText(), "ASCII");
  EXPECT_EQ(Find<QComboBox>("CBPort2Setup")->currentText(), "19200");
  EXPECT_EQ(Store(), "Setup is Current");
}

TEST_F(MainWindowSimTest, StatusDisplayFollowsTheLoggerLive) {
  Second();
  auto* group = Find<QGroupBox>("LoggerStatusGB");
  EXPECT_EQ(group->height(), 280);
  EXPECT_EQ(AppliedColour(group, kButtonFace), kButtonFace);
  EXPECT_EQ(Find<QLabel>("LBOperation")->text(), "Sampling");
  EXPECT_EQ(Find<QLabel>("LBCurrentV")->text(), "12.5 V");
  EXPECT_TRUE(Find<QLabel>("LBDrift")->isHidden());
  Find<QPushButton>("BTStop")->click();
  Second();
  Second();
  EXPECT_EQ(Find<QLabel>("LBOperation")->text(), "Standby");

  logger->faults().driftSeconds = -3725;
  logger->SetClock(clock.utcMillis / 1000);
  Second();
  EXPECT_FALSE(Find<QLabel>("LBDrift")->isHidden());
  EXPECT_EQ(Find<QLabel>("LBDrift")->text(), "Drift:  01:02:05 Slow ");

  logger->faults().silent = true;
  Second();
  Second();
  Second();
  EXPECT_EQ(AppliedColour(Find<QLabel>("LBDandT"), kButtonFace), kYellow);
}

TEST_F(MainWindowSimTest, OldFirmwareWarnsOnceWithoutBlocking) {
  logger->faults().oldFirmware = true;
  Second();
  TForm2* warning = windows.form2;
  EXPECT_FALSE(warning->isHidden());
  EXPECT_TRUE(warning->findChild<QLabel*>("Label1")->text().contains("Firmware Version 6.95"));
  warning->hide();
  Second();
  Second();
  EXPECT_TRUE(warning->isHidden());
}

TEST_F(MainWindowSimTest, PollingTheIndicatorNeedsStandby) {
  Second();
  auto* store = Find<QLabel>("PStore");
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(store, &release);
  ASSERT_FALSE(person.boxes.empty());
  EXPECT_EQ(person.boxes.back().text, "The Logger Must be in Standby before Sending a new Logger Setup");
}

}  // namespace
}  // namespace ql
