#include "setupfile/HostSetupStore.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "setupfile/HostSetupText.h"
#include "support/FakeOperator.h"

namespace ql {
namespace {

namespace fs = std::filesystem;

struct HostSetupStoreTest : ::testing::Test {
  fs::path dir;
  test::FakeOperator person;

  void SetUp() override {
    dir = fs::temp_directory_path() / ("ql9-zrh-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  static std::string Contents(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

TEST_F(HostSetupStoreTest, StoreThenReadGivesTheSameRecords) {
  HostSetupFile setup;
  setup.Set(zrh::kHostMode, 4);
  setup.Set(zrh::kDeckPortCB(2), 12);
  const fs::path file = dir / "last.zrh";
  ASSERT_TRUE(StoreHostSetup(file, setup));
  EXPECT_EQ(Contents(file), FormatHostSetup(setup));
  const std::optional<HostSetupFile> read = ReadHostSetup(file, person);
  ASSERT_TRUE(read);
  EXPECT_EQ(*read, setup);
  EXPECT_TRUE(person.boxes.empty());
  // Only the file itself is left in the folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

// The file is the platform's text: CR LF line ends on Windows, LF elsewhere. A file
// carried from the other platform reads the same.
TEST_F(HostSetupStoreTest, PlatformLineEndsAndFilesFromTheOtherPlatform) {
  HostSetupFile setup;
  setup.Set(zrh::kHostMode, 8);
  const std::string lf = FormatHostSetup(setup);
  std::string crlf;
  for (const char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);

  const fs::path file = dir / "last.zrh";
  ASSERT_TRUE(StoreHostSetup(file, setup));
  std::ifstream in(file, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
#ifdef _WIN32
  EXPECT_EQ(bytes, crlf);
#else
  EXPECT_EQ(bytes, lf);
#endif

  for (const std::string& text : {lf, crlf}) {
    std::ofstream(dir / "carried.zrh", std::ios::binary) << text;
    EXPECT_EQ(ReadHostSetup(dir / "carried.zrh", person), setup);
  }
  EXPECT_TRUE(person.boxes.empty());
}

TEST_F(HostSetupStoreTest, AFailedStoreLeavesTheOldFileWhole) {
  const fs::path file = dir / "last.zrh";
  HostSetupFile before;
  before.Set(zrh::kHostMode, 2);
  ASSERT_TRUE(StoreHostSetup(file, before));
  const std::string old = Contents(file);

  HostSetupFile after;
  after.Set(zrh::kHostMode, 5);
  // The disk fills half-way through the write.
  const TextWriter halfThenFull = [](std::ostream& out, std::string_view text) {
    out.write(text.data(), static_cast<std::streamsize>(text.size() / 2));
    out.setstate(std::ios::badbit);
    return false;
  };
  EXPECT_FALSE(StoreHostSetup(file, after, halfThenFull));
  EXPECT_EQ(Contents(file), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

  // A folder that does not exist: nothing is written and nothing is said.
  EXPECT_FALSE(StoreHostSetup(dir / "gone" / "last.zrh", after));
  EXPECT_TRUE(person.boxes.empty());
}

TEST_F(HostSetupStoreTest, MissingFilesAreQuietFaultyOnesAreNamed) {
  EXPECT_FALSE(ReadHostSetup(dir / "last.zrh", person));
  EXPECT_FALSE(ReadHostSetup(dir, person));  // a folder is not a setup file
  EXPECT_TRUE(person.boxes.empty());

  std::ofstream(dir / "bad.zrh") << "ZR Host Version=7.06\n1 3 0 6 6\n3 3 0 0 0\n";
  EXPECT_FALSE(ReadHostSetup(dir / "bad.zrh", person));
  ASSERT_EQ(person.boxes.size(), 1u);
  EXPECT_EQ(person.boxes[0].kind, "warning");
  EXPECT_EQ(person.boxes[0].text, "Looking for Line 2, Found Line 3");
}

}  // namespace
}  // namespace ql
