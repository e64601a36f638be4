#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>

#include "MainWindowFixture.h"
#include "common/ByteOrder.h"
#include "common/Calendar.h"
#include "serial/CommandFrame.h"
#include "support/Packets.h"
#include "support/SentFrames.h"

namespace ql {
namespace {

using Bytes = std::vector<uint8_t>;

// The clock items, the sleep, port test and logger ID dialogs in the window, over an
// in-memory logger port, in Advanced User mode on COM1.
struct LoggerToolsWindowTest : test::MainWindowFixture {
  void SetUp() override {
    MainWindowFixture::SetUp();
    Action("MenuAdvanced")->trigger();
    Choose("LoggerPortCB", 1);
    wire->TakeFromHost();
  }
  // A status naming this logger ID and clock, read and decoded.
  void Status(int16_t loggerId, int64_t loggerSeconds) {
    Bytes body(128);
    PutU32LE(&body[6], static_cast<uint32_t>(loggerSeconds));
    PutU16LE(&body[18], static_cast<uint16_t>(loggerId));
    wire->Push(test::FixedPacket(3, body));
    Second();
  }
  int64_t HostNow() { return HostSecondsOf(clock, clock.ReadNow().utcSeconds); }
  std::vector<test::SentFrame> Sent() { return test::SentFrames(wire->TakeFromHost()); }
  template <typename T>
  T* In(QWidget* dialog, const char* name) {
    T* w = dialog->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QTabWidget* Tabs() { return Find<QTabWidget>("Tabs"); }
};

TEST_F(LoggerToolsWindowTest, ClockItemsSwitchTheRuleAndShowItsState) {
  QAction* autoSync = Action("MenuAutoTimeUpdate");
  QAction* now = Action("MenuUpdateTimeNow");
  EXPECT_TRUE(autoSync->isChecked());
  Status(2, HostNow() - 6);
  ASSERT_EQ(Sent().size(), 1u);

  autoSync->trigger();
  EXPECT_FALSE(autoSync->isChecked());
  Status(2, HostNow() - 600);
  EXPECT_TRUE(Sent().empty());

  now->trigger();
  EXPECT_TRUE(now->isChecked());
  now->trigger();  // a second click keeps the one request
  EXPECT_TRUE(now->isChecked());
  const int64_t hostNow = HostNow() + 1;  // the status comes a second later
  Status(2, hostNow);
  const auto sent = Sent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].code, CmdSetTime);
  EXPECT_EQ(sent[0].argA, static_cast<uint32_t>(hostNow));
  EXPECT_FALSE(now->isChecked());
}

TEST_F(LoggerToolsWindowTest, MooredTimeSourceShowsThenHidesTheSelector) {
  QAction* moored = Action("MenuMooredTimeUpdate");
  EXPECT_TRUE(Find<QComboBox>("TimeSourceCB")->isHidden());
  moored->trigger();
  EXPECT_TRUE(moored->isChecked());
  EXPECT_FALSE(Find<QComboBox>("TimeSourceCB")->isHidden());
  EXPECT_FALSE(Find<QLabel>("TimeSourceLB")->isHidden());
  moored->trigger();
  EXPECT_FALSE(moored->isChecked());
  EXPECT_TRUE(Find<QComboBox>("TimeSourceCB")->isHidden());
}

TEST_F(LoggerToolsWindowTest, SleepDialogSendsTheTypedMomentAndHidesOrStaysOpenOnARefusal) {
  TSleepForm* dialog = windows.sleepForm;
  Form().BTSleepClick();
  ASSERT_TRUE(dialog->isVisible());
  EXPECT_EQ(In<QLineEdit>(dialog, "METime")->text(), "HH:MM:SS");
  EXPECT_EQ(In<QLineEdit>(dialog, "MEDate")->text(), "MM/DD/YY");
  EXPECT_EQ(In<QLabel>(dialog, "warninglabel")->text(), "Don't Forget about Daylight Savings Time Changes");

  In<QPushButton>(dialog, "SleepButton")->click();
  EXPECT_EQ(person.boxes.back().caption, "Time Format Error");
  EXPECT_TRUE(dialog->isVisible());

  const CalendarTime wake = ToCalendar(HostNow() + 3600);
  In<QLineEdit>(dialog, "METime")->setText(QString::fromStdString(FormatCalendar("%H:%M:%S", wake)));
  In<QLineEdit>(dialog, "MEDate")->setText(QString::fromStdString(FormatCalendar("%m/%d/%y", wake)));
  In<QPushButton>(dialog, "SleepButton")->click();
  EXPECT_FALSE(dialog->isVisible());
  const auto sent = Sent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].code, CmdSleepUntil);
  EXPECT_EQ(sent[0].argA, static_cast<uint32_t>(HostNow() + 3600));

  // The texts stay for the next opening; Cancel only hides.
  Form().BTSleepClick();
  EXPECT_EQ(In<QLineEdit>(dialog, "MEDate")->text().toStdString(), FormatCalendar("%m/%d/%y", wake));
  In<QPushButton>(dialog, "CancelButton")->click();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_TRUE(Sent().empty());
}

TEST_F(LoggerToolsWindowTest, StartTestSendsTheRecordAndShowsTheRawLoggerData) {
  Action("MenuTestOneSerialPort")->trigger();
  TTestPortForm* dialog = windows.testPortForm;
  ASSERT_TRUE(dialog->isVisible());
  EXPECT_EQ(In<QComboBox>(dialog, "CBTestPort")->currentText(), "Port 1");
  EXPECT_EQ(In<QComboBox>(dialog, "CBHostPortSetup")->currentText(), "9600");

  // "OFF": refused, nothing sent, the page left as it was.
  In<QComboBox>(dialog, "CBTestPortSetup")->setCurrentIndex(0);
  In<QPushButton>(dialog, "BTTestPort")->click();
  EXPECT_EQ(person.boxes.back().text, "Please a Test Port Setup");
  EXPECT_TRUE(wire->TakeFromHost().empty());
  EXPECT_NE(Tabs()->currentWidget()->objectName(), "TSRealTime");

  In<QComboBox>(dialog, "CBTestPort")->setCurrentIndex(8);       // "Analog Ports"
  In<QComboBox>(dialog, "CBTestPortSetup")->setCurrentIndex(5);  // "4800,7,E,1"
  In<QPushButton>(dialog, "BTTestPort")->click();
  const Bytes record = wire->TakeFromHost();
  ASSERT_EQ(record.size(), 24u);
  EXPECT_EQ(Bytes(record.begin(), record.begin() + 4), (Bytes{0x0A, 0x0A, 0x00, 0x09}));
  EXPECT_EQ(Tabs()->currentWidget()->objectName(), "TSRealTime");
  EXPECT_EQ(Find<QComboBox>("RawSourceCB")->currentIndex(), 1);
  EXPECT_TRUE(Find<QComboBox>("RawPortCB")->isHidden());
  EXPECT_TRUE(Find<QSpinBox>("RawMuxIDUD")->isHidden());

  // "Stop Test" is the main window's Stop, by the main window's host port setup.
  In<QPushButton>(dialog, "BTStopTest")->click();
  const Bytes stop = wire->TakeFromHost();
  ASSERT_EQ(stop.size(), 12u + 19u);
  EXPECT_EQ(stop[2], 0xA1);
}

TEST_F(LoggerToolsWindowTest, ClosingTheTestDialogHidesRealTimeDataOnlyInMooredAndProfileModes) {
  const int realTime = Tabs()->indexOf(Find<QWidget>("TSRealTime"));
  for (const char* mode : {"MenuMoored", "MenuProfile", "MenuRealTimeOutput"}) {
    Action(mode)->trigger();
    Action("MenuTestOneSerialPort")->trigger();
    In<QPushButton>(windows.testPortForm, "BTTestPort")->click();
    EXPECT_TRUE(Tabs()->isTabVisible(realTime)) << mode;
    windows.testPortForm->close();
    EXPECT_EQ(Tabs()->isTabVisible(realTime), std::string(mode) == "MenuRealTimeOutput") << mode;
  }
}

TEST_F(LoggerToolsWindowTest, LoggerIdDialogSendsTheNewIdAndOpensForAnInvalidOne) {
  TMuxIDForm* dialog = windows.muxIdForm;
  Action("MenuChangeLoggerID")->trigger();
  ASSERT_TRUE(dialog->isVisible());
  QSpinBox* ud = In<QSpinBox>(dialog, "UDMuxID");
  EXPECT_EQ(In<QLabel>(dialog, "LBNewMuxID")->text(), "002");
  ud->setValue(9);
  EXPECT_EQ(ud->value(), 4);
  EXPECT_EQ(In<QLabel>(dialog, "LBNewMuxID")->text(), "  4");
  In<QPushButton>(dialog, "BTSendMuxID")->click();
  EXPECT_EQ(wire->TakeFromHost(), (Bytes{0x02, 0x02, 0xA6, 0xA6, 0, 0, 0, 0, 0x04, 0x00, 0x54, 0x01}));
  ud->setValue(1);
  EXPECT_EQ(ud->value(), 2);
  dialog->hide();

  Status(7, HostNow());
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(In<QLabel>(dialog, "LBCurrentMuxID")->text(), "Current Logger ID:    7");
  for (const int16_t id : {0, 255}) {
    Status(id, HostNow());
    EXPECT_TRUE(dialog->isVisible()) << id;
    dialog->hide();
  }
}

}  // namespace
}  // namespace ql
