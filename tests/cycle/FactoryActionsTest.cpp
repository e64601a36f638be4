#include "cycle/FactoryActions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "hostmain/SimulatedHost.h"
#include "cycle/SetupActions.h"
#include "serial/CommandFrame.h"

namespace ql {
namespace {

using Kind = sim::HostMessage::Kind;
using Answer = Operator::Answer;

struct FactoryActionsTest : ::testing::Test {
  test::SimulatedHost sim;
  HostState& host = sim.host;
  HardwarePageState& hardware = host.factory.hardware;
  AnalogPageState& analog = host.factory.analog;
  std::filesystem::path dir = std::filesystem::temp_directory_path() /
                              ("ql-factory-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));

  void SetUp() override {
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::string File(const char* name) const { return (dir / name).string(); }

  int Heard(Kind kind, uint16_t code) const {
    int n = 0;
    for (const sim::HostMessage& m : sim.logger->Heard()) n += m.kind == kind && m.code == code;
    return n;
  }
  // The fast ticks of a fraction of a second, without the one-second tick.
  void FastTicks(int n) {
    for (int i = 0; i < n; ++i) {
      sim.logger->Advance(5);
      sim.clock.AdvanceMs(5);
      Timer10msTimer(host);
    }
  }
  void GetHardware() {
    BTGetSetup1Click(host, SetupButton::kGetHardware);
    sim.Second();
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& box : sim.person.boxes) texts.push_back(box.text);
    return texts;
  }
};

TEST_F(FactoryActionsTest, ReceivedHardwareIsCopiedAtOnceAndShownCurrentOnTheNextTick) {
  EXPECT_EQ(host.setupPage.meterType, -1);
  EXPECT_FALSE(hardware.current);
  BTGetSetup1Click(host, SetupButton::kGetHardware);
  FastTicks(20);
  EXPECT_EQ(Heard(Kind::Command, CmdGetHardware), 1);
  EXPECT_TRUE(host.records.hardwareReceived);
  EXPECT_EQ(hardware.controls.serialNumber, 117);  // the settings at once
  EXPECT_EQ(host.setupPage.meterType, 2);
  EXPECT_FALSE(hardware.current);                   // the page on the tick
  Timer475msTimer(host);
  EXPECT_FALSE(host.records.hardwareReceived);
  EXPECT_TRUE(hardware.current);
  EXPECT_EQ(hardware.controls.runStopSwitch, 1);
  EXPECT_EQ(hardware.controls.relays[0], 1);   // serial port 1
  EXPECT_EQ(hardware.controls.relays[8], 9);   // analog ports self powered
  EXPECT_EQ(hardware.controls.relays[18], 8);  // pump port 20

  HardwareEdited(host);
  EXPECT_FALSE(hardware.current);
}

TEST_F(FactoryActionsTest, CalibrationIsShownAtOnce) {
  BTGetSetup1Click(host, SetupButton::kGetAnalog);
  FastTicks(20);
  EXPECT_EQ(Heard(Kind::Command, CmdGetAnalogCal), 1);
  EXPECT_TRUE(analog.current);
  EXPECT_TRUE(host.factory.analogPageChanged);
  EXPECT_EQ(analog.controls.offset[0], "  203");
  EXPECT_EQ(analog.controls.scale[7], " 5334");
  AnalogEdited(host);
  EXPECT_FALSE(analog.current);
}

TEST_F(FactoryActionsTest, PasswordFailuresAreCountedAcrossBothPagesAndSendNothing) {
  hardware.controls.serialNumber = 12;
  hardware.controls.meterType = 0;
  hardware.password = "graymoose";
  BTSendHardwareSetupClick(host);
  analog.password = "Enter Password";
  BTSendAnalogCalibrationClick(host);
  BTGetSetup1Click(host, SetupButton::kQL9Defaults);
  sim.Second();
  EXPECT_EQ(Texts(), (std::vector<std::string>{
                         "You Must Enter a Valid Password to Change the Hardware Configuration or Analog Calibration",
                         "An Invalid Password Was Entered -- Please Check Caps Lock",
                         "An Invalid Password Was Entered -- Please Check Caps Lock"}));
  EXPECT_EQ(sim.logger->factory().RecordsTaken(), 0);
  EXPECT_EQ(Heard(Kind::Command, CmdLoadDefaults), 0);

  hardware.password = "GrayMoose!";
  BTGetSetup1Click(host, SetupButton::kQL9Defaults);
  sim.Second();
  EXPECT_EQ(Heard(Kind::Command, CmdLoadDefaults), 1);
}

TEST_F(FactoryActionsTest, HardwareSendNeedsASerialNumberBeforeThePassword) {
  GetHardware();
  hardware.password = "wrong";
  hardware.controls.meterType = 0;  // "None Selected" is a choice
  hardware.controls.serialNumber = 0;
  BTSendHardwareSetupClick(host);
  ASSERT_EQ(sim.person.boxes.size(), 1u);
  EXPECT_EQ(sim.person.boxes[0].caption, "Hardware Configuration Error");
  EXPECT_EQ(sim.person.boxes[0].text, "A meter type and Non-zero SN MUST be selected");
  hardware.controls.meterType = -1;
  hardware.controls.serialNumber = 12;
  BTSendHardwareSetupClick(host);
  EXPECT_EQ(sim.person.boxes.size(), 2u);
  EXPECT_EQ(host.factory.password.Failures(), 0);  // the password was never asked

  hardware.controls.meterType = 0;
  hardware.password = "GrayMoose";
  hardware.controls.relays[3] = 6;
  BTSendHardwareSetupClick(host);
  sim.Second();
  EXPECT_EQ(sim.person.boxes.size(), 2u);
  EXPECT_EQ(sim.logger->factory().SerialNumber(), 12);
  EXPECT_EQ(sim.logger->factory().MeterType(), 0);
  EXPECT_EQ(sim.logger->RejectedRecords(), 0);
  EXPECT_TRUE(hardware.current);  // sending changes nothing on the page

  // The logger's reserved bytes went back as it sent them.
  GetHardware();
  EXPECT_EQ(host.records.hardwareConfig[10], 0x5A);
  EXPECT_EQ(host.records.hardwareConfig[13], 0xC3);
  EXPECT_EQ(hardware.controls.relays[3], 6);
}

TEST_F(FactoryActionsTest, CalibrationSendClampsTheEdits) {
  analog.password = "GrayMoose";
  analog.controls.offset[3] = "";
  analog.controls.scale[3] = "";
  analog.controls.scale[5] = "99999";
  BTSendAnalogCalibrationClick(host);
  sim.Second();
  EXPECT_EQ(sim.logger->RejectedRecords(), 0);
  EXPECT_EQ(sim.logger->factory().Offset(3), 0);
  EXPECT_EQ(sim.logger->factory().Scale(3), 1);
  EXPECT_EQ(sim.logger->factory().Scale(5), 32700);
  EXPECT_EQ(sim.logger->factory().Offset(0), 200);
  EXPECT_EQ(sim.logger->factory().Scale(1), 5325);
  EXPECT_FALSE(analog.current);
}

TEST_F(FactoryActionsTest, SaveAsksOnlyWhenThePageIsNotCurrent) {
  GetHardware();
  sim.person.ScriptFile(File("logger.hdw"));
  BTSaveHardwareFileClick(host);
  ASSERT_EQ(sim.person.boxes.size(), 1u);
  EXPECT_EQ(sim.person.boxes[0].kind, "save");
  EXPECT_EQ(sim.person.boxes[0].caption, "Save Hardware Configuration File");
  EXPECT_EQ(sim.person.fileDialogs[0].defaultExtension, "*.hdw");
  EXPECT_EQ(sim.person.fileDialogs[0].filter, "Hardware Configuration (*.hdw)|*.hdw|All Files (*.*)|*.*");
  EXPECT_EQ(std::filesystem::file_size(File("logger.hdw")), 58u);

  hardware.controls.relays[0] = 4;
  HardwareEdited(host);
  sim.person.Script(Answer::Cancel);
  BTSaveHardwareFileClick(host);
  ASSERT_EQ(sim.person.boxes.size(), 2u);
  EXPECT_EQ(sim.person.boxes[1].kind, "ask");
  EXPECT_EQ(sim.person.boxes[1].caption, "**** Warning ****");
  EXPECT_EQ(sim.person.questions[0].icon, Operator::Icon::Exclamation);
  EXPECT_TRUE(sim.person.questions[0].beepFirst);

  sim.person.ScriptFile(File("edited.alg"));
  BTSaveAnalogFileClick(host);  // the calibration page is not current either
  ASSERT_EQ(sim.person.boxes.size(), 4u);
  EXPECT_EQ(sim.person.boxes[2].text,
            "The Analog Calibration shown on the Host Program may not match the Analog Calibration in the Data "
            "Logger.\n\nDo you still want to save the displayed Analog Calibration?");
  EXPECT_EQ(sim.person.boxes[3].caption, "Save Analog Calibration File");
  EXPECT_EQ(std::filesystem::file_size(File("edited.alg")), 44u);
}

TEST_F(FactoryActionsTest, ASavedFileLoadsBackToTheSameControlsAndIsNotCurrent) {
  GetHardware();
  hardware.controls.relays[10] = 3;
  hardware.controls.serialNumber = 555;
  hardware.controls.meterType = 3;
  HardwareEdited(host);
  const HardwareControls saved = hardware.controls;
  sim.person.ScriptFile(File("edited.hdw"));
  BTSaveHardwareFileClick(host);  // asked, and answered OK

  GetHardware();  // the logger's own configuration again
  EXPECT_TRUE(hardware.current);
  EXPECT_EQ(host.setupPage.meterType, 2);
  sim.person.ScriptFile(File("edited.hdw"));
  BTLoadHardwareFileClick(host);
  EXPECT_EQ(sim.person.fileDialogs.back().title, "Load Hardare Configuration File");
  EXPECT_EQ(hardware.controls.serialNumber, saved.serialNumber);
  EXPECT_EQ(hardware.controls.relays, saved.relays);
  EXPECT_EQ(hardware.controls.runStopSwitch, saved.runStopSwitch);
  EXPECT_EQ(hardware.controls.meterType, 3);
  EXPECT_EQ(host.setupPage.meterType, 3);
  EXPECT_FALSE(hardware.current);
}

TEST_F(FactoryActionsTest, ShortOrMissingFilesAndCancelledDialogsChangeNothing) {
  GetHardware();
  BTGetSetup1Click(host, SetupButton::kGetAnalog);
  sim.Second();
  const auto heldHardware = host.records.hardwareConfig;
  const AnalogControls shown = analog.controls;
  std::ofstream(File("short.hdw"), std::ios::binary).write("\x07\x07\x10\x00", 4);
  std::ofstream(File("short.alg"), std::ios::binary).write(std::string(43, '\x06').data(), 43);

  sim.person.ScriptFile(File("short.hdw"));
  BTLoadHardwareFileClick(host);
  sim.person.ScriptFile(File("missing.hdw"));
  BTLoadHardwareFileClick(host);
  BTLoadHardwareFileClick(host);  // cancelled
  sim.person.ScriptFile(File("short.alg"));
  BTLoadAnalogFileClick(host);
  EXPECT_EQ(host.records.hardwareConfig, heldHardware);
  EXPECT_TRUE(hardware.current);
  EXPECT_TRUE(analog.current);
  EXPECT_EQ(analog.controls.offset, shown.offset);
  EXPECT_EQ(sim.person.boxes.size(), 4u);  // the four dialogs, no message

  // A file that cannot be written is reported.
  sim.person.ScriptFile(File("no/such/folder/x.alg"));
  BTSaveAnalogFileClick(host);
  ASSERT_EQ(sim.person.boxes.size(), 6u);
  EXPECT_EQ(sim.person.boxes[5].caption, "File Error");
}

TEST_F(FactoryActionsTest, CalibrationFileRoundTrip) {
  analog.controls.offset[2] = "  42";
  analog.controls.scale[6] = "7";
  AnalogEdited(host);
  sim.person.ScriptFile(File("cal.alg"));
  BTSaveAnalogFileClick(host);
  analog.controls = DefaultAnalogControls();
  sim.person.ScriptFile(File("cal.alg"));
  BTLoadAnalogFileClick(host);
  EXPECT_EQ(sim.person.fileDialogs.back().title, "Load Analog Calibration File");
  EXPECT_EQ(analog.controls.offset[2], "   42");
  EXPECT_EQ(analog.controls.scale[6], "    7");
  EXPECT_EQ(analog.controls.scale[0], "  790");
  EXPECT_FALSE(analog.current);
  EXPECT_TRUE(host.factory.analogPageChanged);
}

}  // namespace
}  // namespace ql
