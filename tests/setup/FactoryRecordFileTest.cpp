#include "setup/FactoryRecordFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace ql {
namespace {

class FactoryRecordFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("ql_record_file_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string PathOf(const char* name) const { return (dir_ / name).string(); }

  std::filesystem::path dir_;
};

TEST_F(FactoryRecordFileTest, WholeRecordsRoundTripByteForByte) {
  std::array<uint8_t, 44> record;
  for (size_t i = 0; i < record.size(); ++i) record[i] = static_cast<uint8_t>(i * 7 + 1);
  ASSERT_TRUE(SaveRecordFile(PathOf("cal.alg"), record));
  EXPECT_EQ(std::filesystem::file_size(PathOf("cal.alg")), 44u);
  std::array<uint8_t, 44> back{};
  ASSERT_TRUE(LoadRecordFile(PathOf("cal.alg"), back));
  EXPECT_EQ(back, record);

  // A longer file gives its first record.
  std::ofstream(PathOf("long.alg"), std::ios::binary | std::ios::app).write("0123456789", 10);
  std::array<uint8_t, 8> first{};
  ASSERT_TRUE(LoadRecordFile(PathOf("long.alg"), first));
  EXPECT_EQ(first[0], '0');
  EXPECT_EQ(first[7], '7');
}

TEST_F(FactoryRecordFileTest, FailedLoadsLeaveTheRecordAlone) {
  std::array<uint8_t, 58> held;
  held.fill(0x5A);
  const auto before = held;
  std::ofstream(PathOf("short.hdw"), std::ios::binary).write("\x07\x07\x01\x02", 4);
  std::ofstream(PathOf("empty.hdw"), std::ios::binary);
  EXPECT_FALSE(LoadRecordFile(PathOf("short.hdw"), held));
  EXPECT_FALSE(LoadRecordFile(PathOf("empty.hdw"), held));
  EXPECT_FALSE(LoadRecordFile(PathOf("missing.hdw"), held));
  EXPECT_FALSE(LoadRecordFile(dir_.string(), held));  // a folder
  EXPECT_EQ(held, before);
}

TEST_F(FactoryRecordFileTest, SaveReportsAFileItCannotCreate) {
  std::array<uint8_t, 58> record{};
  EXPECT_FALSE(SaveRecordFile(PathOf("no/such/folder/x.hdw"), record));
  EXPECT_FALSE(SaveRecordFile(dir_.string(), record));
  if (std::filesystem::exists("/dev/full")) {
    EXPECT_FALSE(SaveRecordFile("/dev/full", record));  // a full disk
  }
}

}  // namespace
}  // namespace ql
