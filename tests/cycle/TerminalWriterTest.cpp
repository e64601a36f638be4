#include "cycle/TerminalWriter.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

struct TerminalWriterTest : ::testing::Test {
  TerminalWriter writer;
  std::vector<std::string> lines;
  void SetUp() override {
    writer.SetLineSink([this](const std::string& line) { lines.push_back(line); });
  }
};

TEST_F(TerminalWriterTest, RunsOfLineEndsGiveOneLineBreak) {
  writer.Write("abc\r\ndef\n\n\rghi\r");
  EXPECT_EQ(lines, (std::vector<std::string>{"abc", "def", "ghi"}));
  // The line end state carries over between calls: LF after a CR that ended a call.
  writer.Write("\njkl");
  EXPECT_EQ(lines.size(), 3u);
  writer.Write("\r\n");
  EXPECT_EQ(lines.back(), "jkl");
}

TEST_F(TerminalWriterTest, LongLinesBreakAfter101Characters) {
  writer.Write(std::string(250, 'x'));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), 101u);
  EXPECT_EQ(lines[1].size(), 101u);
  writer.Write("\r\n");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2].size(), 48u);
}

TEST_F(TerminalWriterTest, WriteTerminalEmptiesThePendingText) {
  std::string pending = "one\r\ntwo";
  writer.WriteTerminal(pending);
  EXPECT_TRUE(pending.empty());
  EXPECT_EQ(lines, (std::vector<std::string>{"one"}));
}

}  // namespace
}  // namespace ql
