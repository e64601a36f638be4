#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>

#include "MainWindowFixture.h"
#include "dialogs/WidgetColour.h"
#include "loggersim/SimulatedSerialDevice.h"
#include "common/ByteOrder.h"
#include "support/Packets.h"
#include "support/TempDirectory.h"

namespace ql {
namespace {

// The hardware and calibration pages of the window against the simulated logger, in
// Advanced User mode on COM1.
struct FactoryPagesTest : test::SimulatedWindowFixture {
  bool LoggerSamples() const override { return false; }
  QTabWidget* Tabs() { return Find<QTabWidget>("Tabs"); }
  bool PageShown(const char* name) { return Tabs()->isTabVisible(Tabs()->indexOf(Find<QWidget>(name))); }
  bool PanelShown(const char* name) { return !Find<QLabel>(name)->isHidden(); }
  QString EditText(const char* name) { return Find<QLineEdit>(name)->text(); }
};

TEST_F(FactoryPagesTest, MenuItemsAndDoneButtonsShowAndHideThePages) {
  QAction* hardware = Action("HardwareConfig");
  QAction* analog = Action("AnalogCal");
  EXPECT_EQ(hardware->text(), "Show Hardware Configuration");
  EXPECT_EQ(analog->text(), "Show Analog Calibration");
  EXPECT_FALSE(PageShown("TSHardware"));
  EXPECT_TRUE(PanelShown("HardwarePanel"));
  EXPECT_EQ(Find<QLabel>("HardwarePanel")->text(), "Hardware Setup is Not Current");
  EXPECT_EQ(Find<QLabel>("AnalogPanel")->text(), "Analog Calibration is Not Current");
  EXPECT_EQ(Find<QLabel>("HWPasswordLabel")->text(), "Password=GrayMoose");
  EXPECT_EQ(EditText("HWPassword"), "Enter Password");
  EXPECT_EQ(EditText("MEOffset0"), "  200");
  EXPECT_EQ(EditText("MEScale1"), " 5325");
  EXPECT_EQ(Find<QComboBox>("RelayPP4")->currentText(), "None");
  EXPECT_EQ(Find<QComboBox>("DeviceTypeCB")->currentIndex(), -1);

  hardware->trigger();
  EXPECT_TRUE(PageShown("TSHardware"));
  EXPECT_EQ(Tabs()->currentWidget()->objectName(), "TSHardware");
  EXPECT_EQ(hardware->text(), "Hide Hardware Setup");
  analog->trigger();
  EXPECT_EQ(Tabs()->currentWidget()->objectName(), "TSAnalog");
  EXPECT_EQ(analog->text(), "Hide Analog Calibration");

  Find<QPushButton>("BTDoneWithAnalog")->click();
  EXPECT_FALSE(PageShown("TSAnalog"));
  EXPECT_EQ(analog->text(), "Show Analog Calibration");
  EXPECT_NE(Tabs()->currentWidget()->objectName(), "TSAnalog");
  hardware->trigger();
  EXPECT_FALSE(PageShown("TSHardware"));
  EXPECT_EQ(hardware->text(), "Show Hardware Setup");

  // A host mode hides the pages; the menu then offers to show them.
  hardware->trigger();
  Action("MenuProfile")->trigger();
  EXPECT_FALSE(PageShown("TSHardware"));
  EXPECT_EQ(hardware->text(), "Show Hardware Setup");
}

TEST_F(FactoryPagesTest, GetEditAndSendTheHardwareConfiguration) {
  Action("HardwareConfig")->trigger();
  Find<QPushButton>("BTGetHardware")->click();
  FastTicks(40);
  EXPECT_TRUE(PanelShown("HardwarePanel"));  // shown on the one-second tick
  Second();
  EXPECT_FALSE(PanelShown("HardwarePanel"));
  EXPECT_EQ(Find<QComboBox>("DeviceTypeCB")->currentText(), "QL9");
  EXPECT_EQ(Find<QLineEdit>("SNEdit")->text(), "117");
  EXPECT_EQ(Find<QComboBox>("RunStopCB")->currentText(), "SX-28 Normal Polarity");
  EXPECT_EQ(Find<QComboBox>("StatusLEDCB")->currentText(), "SX-28 Status LED");
  EXPECT_EQ(Find<QComboBox>("RelaySP3")->currentText(), "Relay 3");
  EXPECT_EQ(Find<QComboBox>("RelayAP1")->currentText(), "Self Powered");

  Choose("RelaySP3", 7);
  EXPECT_TRUE(PanelShown("HardwarePanel"));
  Find<QSpinBox>("UDSerialNumber")->setValue(250);
  Choose("DeviceTypeCB", 1);
  EXPECT_EQ(Host().setupPage.meterType, 2);  // not the logger's meter until it says so
  Find<QLineEdit>("HWPassword")->setText("GrayMoose");
  Find<QPushButton>("BTSendHardwareSetup")->click();
  Second();
  EXPECT_TRUE(person.boxes.empty());
  EXPECT_EQ(logger->factory().SerialNumber(), 250);
  EXPECT_EQ(logger->factory().MeterType(), 1);
  EXPECT_EQ(logger->Status().meterType, 1);
  EXPECT_TRUE(PanelShown("HardwarePanel"));  // a send does not make the page current

  Find<QPushButton>("BTGetHardware")->click();
  Second();
  EXPECT_FALSE(PanelShown("HardwarePanel"));
  EXPECT_EQ(Find<QComboBox>("RelaySP3")->currentText(), "Relay 7");
  EXPECT_EQ(Find<QComboBox>("DeviceTypeCB")->currentText(), "bx5Plus");
}

TEST_F(FactoryPagesTest, CalibrationArrivesAtOnceAndEditsGoBack) {
  Action("AnalogCal")->trigger();
  Find<QPushButton>("BTGetAnalog")->click();
  FastTicks(40);  // shown inside the fast tick, before any one-second tick
  EXPECT_FALSE(PanelShown("AnalogPanel"));
  EXPECT_EQ(EditText("MEOffset0"), "  203");
  EXPECT_EQ(EditText("MEScale0"), "  788");

  Find<QLineEdit>("MEScale3")->setText("");
  EXPECT_TRUE(PanelShown("AnalogPanel"));
  Find<QLineEdit>("MEOffset2")->setText("99");
  Find<QPushButton>("BTSendAnalogCalibration")->click();
  ASSERT_EQ(person.boxes.size(), 1u);
  EXPECT_EQ(person.boxes[0].caption, "Password Error");
  Find<QLineEdit>("ALGPassword")->setText("GrayMoose");
  Find<QPushButton>("BTSendAnalogCalibration")->click();
  Second();
  EXPECT_EQ(person.boxes.size(), 1u);
  EXPECT_EQ(logger->factory().Scale(3), 1);
  EXPECT_EQ(logger->factory().Offset(2), 99);

  Find<QPushButton>("BTGetAnalog")->click();
  FastTicks(40);
  EXPECT_EQ(EditText("MEScale3"), "    1");
  EXPECT_FALSE(PanelShown("AnalogPanel"));
}

TEST_F(FactoryPagesTest, FactoryDefaultsNeedThePassword) {
  Action("HardwareConfig")->trigger();
  Find<QPushButton>("BTQL9Defaults")->click();
  ASSERT_EQ(person.boxes.size(), 1u);
  EXPECT_EQ(person.boxes[0].caption, "Password Error");
  Find<QLineEdit>("HWPassword")->setText("GrayMoose");
  Find<QPushButton>("BTQL9Defaults")->click();
  Second();
  int heard = 0;
  for (const sim::HostMessage& m : logger->Heard()) heard += m.code == CmdLoadDefaults;
  EXPECT_EQ(heard, 1);
}

TEST_F(FactoryPagesTest, SavedHardwareLoadsBackIntoTheControls) {
  const std::string file = (startDir / "logger.hdw").string();
  Action("HardwareConfig")->trigger();
  Find<QPushButton>("BTGetHardware")->click();
  Second();
  person.ScriptFile(file);
  Find<QPushButton>("BTSaveHardwareFile")->click();
  EXPECT_EQ(person.boxes.size(), 1u);  // current: no question before the dialog
  Choose("RelayPP2", 0);
  Choose("StatusLEDCB", 2);
  person.ScriptFile(file);
  Find<QPushButton>("BTLoadHardwareFile")->click();
  EXPECT_EQ(Find<QComboBox>("RelayPP2")->currentText(), "Relay 6");
  EXPECT_EQ(Find<QComboBox>("StatusLEDCB")->currentText(), "SX-28 Status LED");
  EXPECT_TRUE(PanelShown("HardwarePanel"));
}

TEST_F(FactoryPagesTest, ChoosingAMeterTypeLeavesTheKnownOneToTheLogger) {
  Find<QPushButton>("BTGetSetup1")->click();
  Action("HardwareConfig")->trigger();
  Find<QPushButton>("BTGetHardware")->click();
  Second();
  Second();
  ASSERT_EQ(Host().setupPage.meterType, 2);  // a QL9: port 1 is the operator's
  Choose("CBPort1Setup", 6);
  Choose("DeviceTypeCB", 3);  // EXT Plus, whose meter would take port 1 at 19200
  EXPECT_EQ(Host().setupPage.meterType, 2);
  Find<QPushButton>("BTSendSetup1")->click();
  Second();
  EXPECT_EQ(Find<QComboBox>("CBPort1Setup")->currentIndex(), 6);
  EXPECT_EQ(Host().setupPage.meterType, 2);
  EXPECT_EQ(Find<QComboBox>("DeviceTypeCB")->currentIndex(), 3);  // the page keeps the choice
}

// Calibration packets with values the edits' rules would not let the operator type.
struct CalibrationAsReceivedTest : test::MainWindowFixture {
  test::Bytes ReceivedRecord() {
    test::Bytes body(40, 0);
    PutU16LE(&body[0], 15);
    PutU32LE(&body[2], 1);
    for (int ch = 0; ch < 8; ++ch) {
      PutU16LE(&body[static_cast<size_t>(6 + 2 * ch)], static_cast<uint16_t>(150 + ch));
      PutU16LE(&body[static_cast<size_t>(22 + 2 * ch)], static_cast<uint16_t>(5325 + ch));
    }
    PutU16LE(&body[6], static_cast<uint16_t>(-5));     // offset 0
    PutU16LE(&body[22 + 2], 0);                        // scale 1
    PutU16LE(&body[22 + 4], 32767);                    // scale 2
    return test::FixedPacket(6, body);
  }
  QString EditText(const char* name) { return Find<QLineEdit>(name)->text(); }
};

TEST_F(CalibrationAsReceivedTest, ReceivedValuesAreShownAndStoredAsTheyCame) {
  Form().ModesMenuClick(kAdvancedUser);
  Choose("LoggerPortCB", 1);
  const test::Bytes received = ReceivedRecord();
  wire->Push(received);
  Second();
  EXPECT_TRUE(Find<QLabel>("AnalogPanel")->isHidden());
  EXPECT_EQ(EditText("MEOffset0"), "   -5");
  EXPECT_EQ(EditText("MEScale1"), "    0");
  EXPECT_EQ(EditText("MEScale2"), "32767");

  // Saved right away: the file is the record as it came, and no question is asked.
  test::TempDirectory dir;
  person.ScriptFile(dir.File("asis.alg"));
  Find<QPushButton>("BTSaveAnalogFile")->click();
  EXPECT_TRUE(person.questions.empty());
  EXPECT_EQ(test::ReadFileBytes(dir.File("asis.alg")), received);

  // What the operator types follows the edits' rules; the rest stays as received.
  Find<QLineEdit>("MEScale1")->setText("");
  Find<QLineEdit>("MEScale3")->setText("99999");
  person.ScriptFile(dir.File("typed.alg"));
  Find<QPushButton>("BTSaveAnalogFile")->click();
  const test::Bytes typed = test::ReadFileBytes(dir.File("typed.alg"));
  ASSERT_EQ(typed.size(), received.size());
  EXPECT_EQ(GetI16LE(&typed[8]), -5);
  EXPECT_EQ(GetI16LE(&typed[24 + 2]), 1);
  EXPECT_EQ(GetI16LE(&typed[24 + 4]), 32767);
  EXPECT_EQ(GetI16LE(&typed[24 + 6]), 32700);
}

}  // namespace
}  // namespace ql
