#include "archive/ArchiveFile.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "support/TempDirectory.h"

namespace ql {
namespace {

// A long recording replays past 2 GB on every platform, also where long has 32 bits.
TEST(ArchiveFile, PositionsBeyondTwoGigabytes) {
  const test::TempDirectory dir;
  const std::string name = dir.File("long.arc");
  constexpr int64_t kSize = (int64_t{3} << 30) + 10;
  test::WriteFileBytes(name, {});
  std::filesystem::resize_file(name, kSize);  // sparse: nothing is written
  {
    ArchiveFile file;
    ASSERT_TRUE(file.Open(name, ArchiveFile::Mode::Append));
    const std::array<uint8_t, 4> tail = {'e', 'n', 'd', '!'};
    ASSERT_TRUE(file.Write(tail.data(), 4));
  }
  ArchiveFile file;
  ASSERT_TRUE(file.Open(name, ArchiveFile::Mode::Read));
  EXPECT_EQ(file.SeekEnd(), kSize + 4);
  ASSERT_TRUE(file.Seek(kSize));
  EXPECT_EQ(file.Position(), kSize);
  std::array<uint8_t, 8> bytes{};
  EXPECT_EQ(file.Read(bytes.data(), 8), 4);
  EXPECT_EQ(bytes[0], 'e');
  EXPECT_EQ(bytes[3], '!');
  EXPECT_EQ(file.Position(), kSize + 4);
}

}  // namespace
}  // namespace ql
