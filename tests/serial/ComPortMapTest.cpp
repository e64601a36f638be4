#include "serial/ComPortMap.h"

#include <gtest/gtest.h>

#include <fstream>

namespace ql {
namespace {

TEST(ComPortMapTest, MappingLinesOverrideTheUsualNames) {
  ComPortMap map;
  map.Parse("# deck laptop\n\nCOM1=/dev/serial/by-id/usb-FTDI-if00\n  COM12 = /dev/ttyUSB3  \n");
  EXPECT_EQ(map.DeviceName(1), "/dev/serial/by-id/usb-FTDI-if00");
  EXPECT_EQ(map.DeviceName(12), "/dev/ttyUSB3");
  EXPECT_TRUE(map.Problems().empty());
  EXPECT_EQ(map.DeviceName(0), "COMX");
  EXPECT_EQ(map.DeviceName(13), "COMX");
}

// Windows opens COM1..COM8 by their plain names and COM9 and above only through the
// device namespace; Linux counts serial devices from ttyS0.
TEST(ComPortMapTest, UsualNamesFollowThePlatform) {
  const ComPortMap map;
  for (int com = 1; com <= ComPortMap::kHighestCom; ++com) {
#ifdef _WIN32
    const std::string usual = com <= 8 ? "COM" + std::to_string(com) : "\\\\.\\COM" + std::to_string(com);
#else
    const std::string usual = "/dev/ttyS" + std::to_string(com - 1);
#endif
    EXPECT_EQ(map.DeviceName(com), usual) << "COM" << com;
  }
}

// A mapping file saved by a Windows editor ends its lines with CR LF.
TEST(ComPortMapTest, WindowsLineEndsInTheFile) {
  const std::string path = ::testing::TempDir() + "/comports-crlf.txt";
  std::ofstream(path, std::ios::binary) << "# deck box\r\nCOM3=\\\\.\\COM15\r\n\r\nCOM4=COM2\r\n";
  ComPortMap map;
  map.LoadFile(path);
  EXPECT_TRUE(map.Problems().empty());
  EXPECT_EQ(map.DeviceName(3), "\\\\.\\COM15");
  EXPECT_EQ(map.DeviceName(4), "COM2");
}

TEST(ComPortMapTest, LinesItCannotUseAreReportedNotApplied) {
  ComPortMap map;
  map.Parse("COM13=/dev/x\nCOM=/dev/y\nCOM2\nCOM4=\nPORT1=/dev/z\nCOM123456789012=/dev/q\nCOM5=/dev/ok\n");
  EXPECT_EQ(map.Problems().size(), 6u);
  EXPECT_EQ(map.DeviceName(5), "/dev/ok");
  EXPECT_NE(map.DeviceName(4), "");
}

TEST(ComPortMapTest, AnyCaseTrailingCommentsAndTheFirstOfARepeatedNumber) {
  ComPortMap map;
  map.Parse("com3=/dev/a\nCom4=/dev/b   # deck box\nCOM9=/dev/c#\t\nCOM2=/dev/first\ncOm2 = /dev/second\nCOM5=# none\n");
  EXPECT_EQ(map.DeviceName(3), "/dev/a");
  EXPECT_EQ(map.DeviceName(4), "/dev/b");
  EXPECT_EQ(map.DeviceName(9), "/dev/c");
  EXPECT_EQ(map.DeviceName(2), "/dev/first");
  ASSERT_EQ(map.Problems().size(), 2u);
  EXPECT_EQ(map.Problems()[0], "line 5: \"cOm2 = /dev/second\" (COM2 is already set on line 4)");
  EXPECT_EQ(map.Problems()[1].rfind("line 6: ", 0), 0u);
}

TEST(ComPortMapTest, MissingFileKeepsTheUsualNames) {
  ComPortMap map;
  map.LoadFile("/nonexistent/dir/comports.txt");
  EXPECT_TRUE(map.Problems().empty());
  EXPECT_FALSE(map.DeviceName(1).empty());

  const std::string path = ::testing::TempDir() + "/comports.txt";
  std::ofstream(path) << "COM7=/dev/pts/7\n";
  map.LoadFile(path);
  EXPECT_EQ(map.DeviceName(7), "/dev/pts/7");
}

}  // namespace
}  // namespace ql
