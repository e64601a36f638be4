#include "loggersim/SwitchCommands.h"

#include <gtest/gtest.h>

#include "loggersim/ComPortsFile.h"

namespace ql::sim {
namespace {

TEST(SwitchCommandsTest, SetsEverySwitchAndRefusesBadValues) {
  LoggerModel model;
  for (const SwitchInfo& s : Switches()) {
    const std::string name = s.name;
    const std::string value = IsOnOffSwitch(name)        ? "on"
                              : name == "senders"      ? "1-4"
                              : name == "instruments"  ? "mixed"
                                                       : "1";
    EXPECT_EQ(ApplySwitch(model, s.name, value), "") << s.name;
  }
  const Faults& f = model.faults();
  EXPECT_TRUE(f.silent && f.wrongSpeed && f.duplicates && f.gaps && f.highSenders && f.oldFirmware);
  EXPECT_EQ(f.noise, 1.0);
  EXPECT_EQ(f.badFlash, 1);
  EXPECT_EQ(f.typeBursts, 1);
  EXPECT_EQ(model.FirstSender(), 1);
  EXPECT_EQ(model.LastSender(), 4);
  EXPECT_TRUE(model.MixedInstruments());
  EXPECT_NE(DescribeSwitches(model).find("senders 1-4\n"), std::string::npos);
  const FlashFaults& flash = model.flash().faults();
  EXPECT_TRUE(flash.silentStart);
  EXPECT_EQ(flash.droppedBlocks + flash.repeatedBlocks + flash.delayedBlocks, 3.0);
  EXPECT_EQ(flash.emptyRun, 1);
  EXPECT_NE(DescribeSwitches(model).find("silent-start on\n"), std::string::npos);

  EXPECT_EQ(ApplySwitch(model, "noise", "0.3"), "");
  EXPECT_EQ(f.noise, 0.3);
  EXPECT_EQ(ApplySwitch(model, "drift", "-3725"), "");
  EXPECT_EQ(f.driftSeconds, -3725);
  EXPECT_EQ(ApplySwitch(model, "silent", "off"), "");
  EXPECT_FALSE(f.silent);

  for (const auto& [name, value] : std::vector<std::pair<std::string, std::string>>{
           {"noise", "abc"}, {"noise", "-1"}, {"bad-checksums", "1.5"}, {"silent", "maybe"},
           {"senders", "4-1"}, {"senders", "300"}, {"rate", ""}, {"bad-flash", "2.5"}, {"volume", "11"},
           {"drop-blocks", "2"}, {"empty-run", "-2"}, {"bursts", "4097"}}) {
    EXPECT_NE(ApplySwitch(model, name, value), "") << name << " " << value;
  }
  EXPECT_EQ(f.noise, 0.3);
}

TEST(ComPortsFileTest, ReplacesOnlyTheLineOfItsComNumber) {
  EXPECT_EQ(WithComPort("", 1, "/dev/pts/4"), "COM1=/dev/pts/4\n");
  EXPECT_EQ(WithComPort("# ports\nCOM1=/dev/ttyUSB0\ncom12 = /dev/x\nCOM10=/dev/y\n", 1, "/dev/pts/4"),
            "# ports\ncom12 = /dev/x\nCOM10=/dev/y\nCOM1=/dev/pts/4\n");
  EXPECT_EQ(WithComPort("COM2=/dev/a", 12, "/dev/pts/9"), "COM2=/dev/a\nCOM12=/dev/pts/9\n");
}

}  // namespace
}  // namespace ql::sim
