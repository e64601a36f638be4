#include "flash/RunFileName.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

TEST(RunFileName, NumberAfterTheLastDotOfTheName) {
  EXPECT_EQ(RunNumberSuffix("run.007"), "007");
  EXPECT_EQ(RunNumberSuffix("/data/run.7"), "007");
  EXPECT_EQ(RunNumberSuffix("run.1234"), "1234");
  EXPECT_EQ(RunNumberSuffix("cruise.2026/run.012x"), "012");
  EXPECT_EQ(RunNumberSuffix("r042"), "042");  // no dot: after the first character
  EXPECT_EQ(RunNumberSuffix("cast.dat"), std::nullopt);
  EXPECT_EQ(RunNumberSuffix("cruise.2026/run"), std::nullopt);  // a folder lends no number
  EXPECT_EQ(RunNumberSuffix("run."), std::nullopt);
  EXPECT_EQ(RunNumberSuffix("run.99999999999"), std::nullopt);
  EXPECT_EQ(RunNumberSuffix(""), std::nullopt);
}

// A backslash separates folders on Windows only; elsewhere it is part of a name.
TEST(RunFileName, FoldersOfThePlatform) {
#ifdef _WIN32
  EXPECT_EQ(RunNumberSuffix("C:\\cruise.2026\\run"), std::nullopt);
  EXPECT_EQ(RunNumberSuffix("C:\\cruise.2026\\run.7"), "007");
  EXPECT_EQ(RunNumberSuffix("D:run.12"), "012");
#else
  EXPECT_EQ(RunNumberSuffix("cruise.2026\\run"), "2026");
#endif
  EXPECT_EQ(RunNumberSuffix("cruise.2026/run"), std::nullopt);
}

TEST(RunFileName, APartialRunTakesItsNumberFromTheNameBeforePart) {
  EXPECT_EQ(RunNumberSuffix("run.007.part"), "007");
  EXPECT_EQ(RunNumberSuffix("/data/run.7.part"), "007");
  EXPECT_TRUE(IsPartialRunFile("/data/run.007.part"));
  EXPECT_FALSE(IsPartialRunFile("/data.part/run.007"));
  EXPECT_FALSE(IsPartialRunFile("run.007"));
  EXPECT_EQ(PartialRunFile("/data/run.007"), std::filesystem::path("/data/run.007.part"));
  EXPECT_EQ(RunNumberSuffix("cast.part"), std::nullopt);
}

}  // namespace
}  // namespace ql
