#include "headless/PortChoice.h"

#include <gtest/gtest.h>

#include <fstream>

#include "headless/RunSelection.h"
#include "support/TempDirectory.h"

namespace ql {
namespace {

TEST(PortChoiceTest, ComNamesAndLineTextsAreReadAsTheLoggerPortSetupListsThem) {
  EXPECT_EQ(ParseComName("COM3"), 3);
  EXPECT_EQ(ParseComName("com12"), 12);
  EXPECT_EQ(ParseComName("COM 1"), 1);
  for (const char* bad : {"COM0", "COM13", "COM", "ttyS0", "COM1x", "COM0001x"}) EXPECT_FALSE(ParseComName(bad)) << bad;
  EXPECT_EQ(ParseLineText("9600"), 6);
  EXPECT_EQ(ParseLineText("9600,7,E,1"), 7);
  EXPECT_EQ(ParseLineText("9600, 7,E,1"), 7);  // as the combo spells it
  EXPECT_EQ(ParseLineText("4800,7,e,1"), 5);
  EXPECT_EQ(ParseLineText("115200"), 11);
  for (const char* bad : {"OFF", "ON", "9601", "", "auto"}) EXPECT_FALSE(ParseLineText(bad)) << bad;
}

TEST(PortChoiceTest, ADevicePathStandsForCom1AndAComNumberGoesThroughComportsTxt) {
  test::TempDirectory dir;
  std::ofstream(dir.File("comports.txt")) << "COM4=/dev/serial/by-id/usb-logger\n";
  std::string problems;
  PortChoice choice;
  choice.com = 4;
  choice.startDirectory = dir.path;
  EXPECT_EQ(PortMapFor(choice, problems).DeviceName(ComToOpen(choice)), "/dev/serial/by-id/usb-logger");
  choice.device = "/dev/ttyACM0";
  EXPECT_EQ(PortMapFor(choice, problems).DeviceName(ComToOpen(choice)), "/dev/ttyACM0");
  EXPECT_EQ(problems, "");
  std::ofstream(dir.File("comports.txt")) << "COM4 /dev/x\n";
  choice.device.clear();
  PortMapFor(choice, problems);
  EXPECT_NE(problems.find("COM4 /dev/x"), std::string::npos) << problems;
}

TEST(PortChoiceTest, RunSelectionsTakeListsAndRanges) {
  std::string error;
  EXPECT_EQ(ParseRunSelection("1,3-5", error), (std::set<int>{1, 3, 4, 5}));
  EXPECT_EQ(ParseRunSelection("7", error), (std::set<int>{7}));
  for (const char* bad : {"", "5-3", "a", "1,,2", "512", "-1", "3-"}) {
    EXPECT_FALSE(ParseRunSelection(bad, error)) << bad;
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace ql
