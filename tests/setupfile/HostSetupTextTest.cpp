#include "setupfile/HostSetupText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ql {
namespace {

// The file's lines without their line ends.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& l : lines) text += l + "\n";
  return text;
}

HostSetupFile Sample() {
  HostSetupFile f;
  f.Set(zrh::kLoggerPortCB, 3);
  f.Set(zrh::kLoggerSetupCB, 11);
  f.Set(zrh::kCBHostPortSetup, 7);
  f.Set(zrh::kHostMode, 5);
  f.Set(zrh::kWindowWidth, 1200);
  f.Set(zrh::kRawSourceCB, -1);
  f.Set(zrh::kUDOutPort(8), 9);
  return f;
}

TEST(HostSetupTextTest, WritesEachRecordInItsOwnForm) {
  const std::vector<std::string> lines = Lines(FormatHostSetup(Sample()));
  ASSERT_EQ(lines.size(), 23u);
  EXPECT_EQ(lines[0], "ZR Host Version=7.06");
  EXPECT_EQ(lines[1], "1 3 3 11 7");
  EXPECT_EQ(lines[2], "2 1 5");
  EXPECT_EQ(lines[3], "3 3 0 0 1200");
  EXPECT_EQ(lines[4], "4 0 ");
  EXPECT_EQ(lines[7], "7 13 0 0 0 0 0 0 0 0 0 0 0 0 0");
  EXPECT_EQ(lines[13], "13 4 0 -1 0 0 ");
  EXPECT_EQ(lines[19], "19 8 0 0 0 0 0 0 0 9");
  EXPECT_EQ(lines[22], "22 1 0 Last.plt");
}

TEST(HostSetupTextTest, WrittenFilesReadBackExactly) {
  const ParsedSetupFile parsed = ParseHostSetup(FormatHostSetup(Sample()));
  ASSERT_TRUE(parsed.file) << parsed.fault->caption;
  EXPECT_EQ(*parsed.file, Sample());

  // Spacing, text after the values and CR LF line ends do not matter; values of the
  // records the host does not act on may be anything.
  std::vector<std::string> lines = Lines(FormatHostSetup(Sample()));
  lines[2] = "  2   1    5   trailing words";
  lines[7] = "7 13 9 -8 7 6 5 4 3 2 1 0 1 2 30000";
  for (std::string& l : lines) l += '\r';
  const ParsedSetupFile loose = ParseHostSetup(Join(lines));
  ASSERT_TRUE(loose.file);
  EXPECT_EQ(loose.file->Get(zrh::kHostMode), 5);
  EXPECT_EQ(loose.file->values[7][12], 30000);

  // Numbers beyond 16 bits stop at the largest value the file holds.
  lines = Lines(FormatHostSetup(Sample()));
  lines[3] = "3 3 0 99999999999999999999 -70000";
  const ParsedSetupFile big = ParseHostSetup(Join(lines));
  ASSERT_TRUE(big.file);
  EXPECT_EQ(big.file->Get(zrh::kWindowHeight), 32767);
  EXPECT_EQ(big.file->Get(zrh::kWindowWidth), -32768);
}

TEST(HostSetupTextTest, EachFaultNamesItself) {
  const std::vector<std::string> good = Lines(FormatHostSetup(Sample()));
  struct Case {
    int line;
    std::string text;
    SetupFileFault fault;
  };
  const Case cases[] = {
      {5, "five 12 0", {"Invalid Record in *.ZRH File - The ZRH File was NOT Loaded E1", "five 12 0"}},
      {5, "", {"Invalid Record in *.ZRH File - The ZRH File was NOT Loaded E1", ""}},
      {3, "4 0 ", {"Bad Line Number in *.ZRH File - The ZRH File was Not Loaded E2", "Looking for Line 3, Found Line 4"}},
      {7, "7 12 0 0 0 0 0 0 0 0 0 0 0 0", {"Invalid Record in *.ZRH, j 1 count 13 lcount 12", "7 12 0 0 0 0 0 0 0 0 0 0 0 0"}},
      {7, "7 x", {"Invalid Record in *.ZRH, j 0 count 13 lcount 0", "7 x"}},
      {7, "7 21", {"Invalid Record in *.ZRH, j 1 count 13 lcount 21", "7 21"}},
      {14, "14 2 8", {"Invalid Record in *.ZRH File - The ZRH File was NOT Loaded E4", "14 2 8"}},
      {14, "14 2 8 1x", {"Invalid Record in *.ZRH File - The ZRH File was NOT Loaded E4", "14 2 8 1x"}},
      {14, "14 2 8 -", {"Invalid Record in *.ZRH File - The ZRH File was NOT Loaded E4", "14 2 8 -"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines = good;
    lines[static_cast<size_t>(c.line)] = c.text;
    const ParsedSetupFile parsed = ParseHostSetup(Join(lines));
    EXPECT_FALSE(parsed.file) << c.text;
    ASSERT_TRUE(parsed.fault) << c.text;
    EXPECT_EQ(*parsed.fault, c.fault) << c.text;
  }
}

TEST(HostSetupTextTest, AFileEndingEarlyIsRefused) {
  std::vector<std::string> lines = Lines(FormatHostSetup(Sample()));
  lines.pop_back();
  const ParsedSetupFile parsed = ParseHostSetup(Join(lines));
  EXPECT_FALSE(parsed.file);
  ASSERT_TRUE(parsed.fault);
  EXPECT_EQ(parsed.fault->text, "Looking for Line 22, Found the End of the File");
  EXPECT_FALSE(ParseHostSetup("").file);
  EXPECT_EQ(ParseHostSetup("ZR Host Version=7.06\n").fault->text, "Looking for Line 1, Found the End of the File");
}

TEST(HostSetupTextTest, OnlyVersion706CarriesTheHostPortSetting) {
  std::vector<std::string> lines = Lines(FormatHostSetup(Sample()));
  lines[0] = "ZR Host Version=7.05";
  const ParsedSetupFile three = ParseHostSetup(Join(lines));
  ASSERT_TRUE(three.fault);
  EXPECT_EQ(three.fault->caption, "Invalid Record in *.ZRH, j 1 count 2 lcount 3");

  lines[1] = "1 2 3 11";
  const ParsedSetupFile two = ParseHostSetup(Join(lines));
  ASSERT_TRUE(two.file);
  EXPECT_FALSE(two.file->currentVersion);
  EXPECT_FALSE(two.file->Has(zrh::kCBHostPortSetup));
  EXPECT_EQ(two.file->Get(zrh::kLoggerSetupCB), 11);

  // Whatever the header holds, it is one line: a missing header is a 7.05 file whose
  // record 1 stands where the header should.
  lines.erase(lines.begin());
  EXPECT_EQ(ParseHostSetup(Join(lines)).fault->text, "Looking for Line 1, Found Line 2");
}

TEST(HostSetupTextTest, OverlongLinesAreReadInPieces) {
  std::vector<std::string> lines = Lines(FormatHostSetup(Sample()));
  lines[2] = "2 1 5" + std::string(600, ' ') + "9";
  const ParsedSetupFile parsed = ParseHostSetup(Join(lines));
  // The rest of the line is taken for record 3.
  ASSERT_TRUE(parsed.fault);
  EXPECT_EQ(parsed.fault->text, "Looking for Line 3, Found Line 9");
}

}  // namespace
}  // namespace ql
