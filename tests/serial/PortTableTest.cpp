#include "serial/PortTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/FakeOperator.h"
#include "support/MemorySerialDevice.h"
#include "support/TempDirectory.h"

namespace ql {
namespace {

using test::FakeOperator;
using test::MemoryWire;

struct PortTableTest : ::testing::Test {
  std::shared_ptr<MemoryWire> wire = std::make_shared<MemoryWire>();
  FakeOperator person;
  PortTable table{test::MemoryFactory(wire), person};

  void SetUp() override {
    ComPortMap map;
    map.Parse("COM1=/dev/one\nCOM3=/dev/three\nCOM9=/dev/nine\n");
    table.SetComPortMap(map);
    table.InitPortTable();
  }
};

TEST_F(PortTableTest, ConfigureOpensTheMappedDeviceWithTheModeOfTheLineSetting) {
  EXPECT_EQ(table.ConfigurePort(0, 3, 7), 7);
  EXPECT_TRUE(table.IsPortOpen(0));
  EXPECT_EQ(table.OpenCom(0), 3);
  ASSERT_EQ(wire->opened.back(), "/dev/three");
  // "9600, 7,E,1" opens with "9600,E,7,1".
  EXPECT_EQ(wire->lines.back(), (LineParams{9600, 'E', 7, 1}));

  EXPECT_EQ(table.ConfigurePort(0, 1, 5), 5);
  EXPECT_EQ(wire->closes, 1);
  EXPECT_EQ(wire->lines.back(), (LineParams{4800, 'E', 7, 1}));

  EXPECT_EQ(table.ConfigurePort(0, 9, 11), 11);
  EXPECT_EQ(wire->opened.back(), "/dev/nine");
  EXPECT_EQ(wire->lines.back(), (LineParams{115200, 'N', 8, 1}));
  EXPECT_TRUE(person.boxes.empty());
}

TEST_F(PortTableTest, OffOrNoPortLeavesTheSlotClosed) {
  table.ConfigurePort(0, 1, 6);
  ASSERT_TRUE(table.IsPortOpen(0));
  // "OFF" closes whatever COM number is chosen.
  EXPECT_EQ(table.ConfigurePort(0, 1, 0), 0);
  EXPECT_FALSE(table.IsPortOpen(0));
  // "No Port Selected" keeps the chosen line setting for the next open.
  EXPECT_EQ(table.ConfigurePort(0, 0, 8), 0);
  EXPECT_FALSE(table.IsPortOpen(0));
  EXPECT_EQ(table.LineSetting(0), 8);
  // A line index outside the list opens at 9600 but is returned as given.
  EXPECT_EQ(table.ConfigurePort(0, 1, 42), 42);
  EXPECT_EQ(table.LineSetting(0), 6);
  EXPECT_EQ(wire->lines.back(), (LineParams{9600, 'N', 8, 1}));
}

TEST_F(PortTableTest, FailedOpenShowsTheNoticeAndLeavesTheSlotClosed) {
  wire->refuse.push_back("/dev/three");
  EXPECT_EQ(table.ConfigurePort(2, 3, 6), 6);  // returned whether or not the open worked
  EXPECT_FALSE(table.IsPortOpen(2));
  ASSERT_EQ(person.boxes.size(), 1u);
  EXPECT_EQ(person.boxes[0].kind, "notice");
  EXPECT_EQ(person.boxes[0].caption, "Could Not Open COM3");
  // The usual words first, then which device was tried and the system's reason.
  EXPECT_EQ(person.boxes[0].text, "COM3 may already be assigned or may not exist\n/dev/three: Device or resource busy");

  uint8_t buffer[16];
  EXPECT_EQ(table.ReadPort(2, buffer, sizeof buffer), 0);
  const uint8_t byte = 1;
  table.WritePort(2, &byte, 1);
  EXPECT_TRUE(wire->fromHost.empty());
  EXPECT_EQ(person.boxes.size(), 1u);
}

TEST_F(PortTableTest, TheMappingFileIsReadAgainForEveryOpen) {
  const test::TempDirectory dir;
  const std::filesystem::path file = dir.path / ComPortMap::kFileName;
  std::ofstream(file) << "COM1=/dev/pts/4\n";
  table.SetComPortFile(file);
  table.ConfigurePort(0, 1, 6);
  EXPECT_EQ(wire->opened.back(), "/dev/pts/4");

  // The logger came back on another terminal: the next open follows the file.
  std::ofstream(file) << "COM1=/dev/pts/9\nCOM2 /dev/ttyUSB0\n";
  table.ConfigurePort(0, 1, 6);
  EXPECT_EQ(wire->opened.back(), "/dev/pts/9");
  ASSERT_EQ(person.boxes.size(), 1u);
  EXPECT_EQ(person.boxes[0].caption, "COM Port Mapping");
  EXPECT_EQ(person.boxes[0].text, "These lines of comports.txt are ignored:\nline 2: \"COM2 /dev/ttyUSB0\" (expected COM1..COM12=device)\n");
  // The same fault is not shown again at every open.
  table.ConfigurePort(1, 1, 6);
  EXPECT_EQ(person.boxes.size(), 1u);

  // The file gone: the usual names again.
  std::filesystem::remove(file);
  table.ConfigurePort(0, 1, 6);
  EXPECT_EQ(wire->opened.back(), ComPortMap().DeviceName(1));
  EXPECT_EQ(person.boxes.size(), 1u);
}

TEST_F(PortTableTest, FailedCloseShowsCommErrorAndMarksTheSlotClosed) {
  table.ConfigurePort(0, 1, 6);
  wire->failClose = true;
  table.ClosePort(0);
  EXPECT_FALSE(table.IsPortOpen(0));
  ASSERT_EQ(person.boxes.size(), 1u);
  EXPECT_EQ(person.boxes[0].caption, "Comm Error");
  EXPECT_EQ(person.boxes[0].text, "Could Not Close Comm  Port");
  table.ClosePort(0);  // closing a closed slot does nothing
  EXPECT_EQ(person.boxes.size(), 1u);
}

TEST_F(PortTableTest, ReadsAndWritesGoThroughTheOpenSlotOnly) {
  table.ConfigurePort(0, 1, 6);
  wire->Push(std::string("abcdef"));
  uint8_t buffer[4];
  EXPECT_EQ(table.ReadPort(0, buffer, 4), 4);
  EXPECT_EQ(buffer[3], 'd');
  EXPECT_EQ(table.ReadPort(0, buffer, 4), 2);
  EXPECT_EQ(table.ReadPort(0, buffer, 4), 0);
  const uint8_t frame[3] = {1, 2, 3};
  table.WritePort(0, frame, 3);
  EXPECT_EQ(wire->TakeFromHost(), (std::vector<uint8_t>{1, 2, 3}));
  // Slots outside the table are ignored rather than trusted.
  EXPECT_EQ(table.ReadPort(20, buffer, 4), 0);
  EXPECT_EQ(table.ReadPort(-1, buffer, 4), 0);
  table.WritePort(25, frame, 3);
}

TEST_F(PortTableTest, PulledAdapterClosesTheSlotOnceAndQuietly) {
  table.ConfigurePort(0, 1, 6);
  wire->lost = true;
  uint8_t buffer[4];
  EXPECT_EQ(table.ReadPort(0, buffer, 4), 0);
  EXPECT_FALSE(table.IsPortOpen(0));
  EXPECT_EQ(wire->closes, 1);
  EXPECT_EQ(table.ReadPort(0, buffer, 4), 0);
  EXPECT_EQ(wire->closes, 1);
  EXPECT_TRUE(person.boxes.empty());
}

TEST_F(PortTableTest, EndOfFileClosesTheSlotOnceQuietlyAndChoosingThePortAgainOpensAfresh) {
  table.ConfigurePort(0, 1, 6);
  wire->Push(std::string("ab"));
  wire->endOfFile = true;
  uint8_t buffer[4];
  EXPECT_EQ(table.ReadPort(0, buffer, 4), 2);  // what came before the end is still read
  EXPECT_TRUE(table.IsPortOpen(0));
  EXPECT_EQ(table.ReadPort(0, buffer, 4), 0);
  EXPECT_FALSE(table.IsPortOpen(0));
  EXPECT_EQ(table.ReadPort(0, buffer, 4), 0);
  EXPECT_EQ(wire->closes, 1);
  EXPECT_TRUE(person.boxes.empty());

  wire->endOfFile = false;
  EXPECT_EQ(table.ConfigurePort(0, 1, 6), 6);
  EXPECT_EQ(wire->opens, 2);
  wire->Push(std::string("c"));
  EXPECT_EQ(table.ReadPort(0, buffer, 4), 1);
  EXPECT_EQ(buffer[0], 'c');
}

TEST_F(PortTableTest, InputTheDeviceThrewAwayIsCountedPerSlotAcrossReopening) {
  table.ConfigurePort(0, 1, 6);
  wire->holdLimit = 10;
  wire->Push(std::string(25, 'x'));
  EXPECT_EQ(table.BytesWaiting(0), 10);
  uint8_t buffer[16];
  EXPECT_EQ(table.ReadPort(0, buffer, 16), 10);
  EXPECT_EQ(table.BytesLost(0), 15u);
  table.ConfigurePort(0, 1, 6);
  wire->Push(std::string(12, 'y'));
  table.ReadPort(0, buffer, 16);
  EXPECT_EQ(table.BytesLost(0), 17u);
  EXPECT_EQ(table.BytesLost(1), 0u);
  EXPECT_EQ(table.BytesWaiting(1), 0);  // a closed slot holds nothing
}

TEST_F(PortTableTest, SetPortLineChoosesBySpeedAndDataBits) {
  table.SetPortLine(0, 4800, 7);
  EXPECT_EQ(table.LineSetting(0), 5);
  table.SetPortLine(0, 9600, 5);
  EXPECT_EQ(table.LineSetting(0), 7);
  table.SetPortLine(0, 9600, 8);
  EXPECT_EQ(table.LineSetting(0), 6);
  table.SetPortLine(0, 300, 8);  // unknown speed keeps the setting
  EXPECT_EQ(table.LineSetting(0), 6);
  table.SetPortLine(0, 115200, 7);
  EXPECT_EQ(table.LineSetting(0), 11);
}

}  // namespace
}  // namespace ql
