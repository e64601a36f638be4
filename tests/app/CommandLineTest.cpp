#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace ql {
namespace {

namespace fs = std::filesystem;

CommandLine Parse(QStringList arguments, const fs::path& current = "/somewhere") {
  arguments.prepend("ql9host");
  return ParseCommandLine(arguments, current);
}

TEST(CommandLine, StartDirectoryIsTheCurrentFolderOrAnExistingNamedOne) {
  const CommandLine plain = Parse({}, "/work/here");
  EXPECT_EQ(plain.outcome, CommandLine::Outcome::Run);
  EXPECT_EQ(plain.startDirectory, fs::path("/work/here"));

  const fs::path dir = fs::temp_directory_path() / "ql9host-start-dir-test";
  fs::create_directories(dir);
  const CommandLine named = Parse({"--start-dir", QString::fromStdString(dir.string())});
  EXPECT_EQ(named.outcome, CommandLine::Outcome::Run);
  EXPECT_EQ(named.startDirectory, dir);
  fs::remove_all(dir);

  const CommandLine missing = Parse({"--start-dir", QString::fromStdString(dir.string())});
  EXPECT_EQ(missing.outcome, CommandLine::Outcome::Refuse);
  EXPECT_NE(missing.text.find("does not exist"), std::string::npos) << missing.text;
}

TEST(CommandLine, TheStartFolderBecomesTheCurrentOne) {
  const fs::path launched = fs::current_path();
  const fs::path dir = fs::temp_directory_path() / "ql9host-enter-start-dir";
  fs::remove_all(dir);
  fs::create_directories(dir / "cruise");
  // Named relative to the folder the program was started in.
  fs::current_path(dir);
  CommandLine line = Parse({"--start-dir", "cruise"}, dir);
  fs::current_path(launched);
  ASSERT_EQ(line.outcome, CommandLine::Outcome::Run) << line.text;
  EXPECT_TRUE(EnterStartDirectory(line));
  const fs::path entered = fs::current_path();
  std::ofstream("cast.arc") << "x";  // a name a save dialog would propose, as typed
  fs::current_path(launched);
  EXPECT_EQ(entered, dir / "cruise");
  EXPECT_TRUE(fs::exists(dir / "cruise" / "cast.arc"));

  // A folder gone between the reading and the entering: refused with the system's reason.
  fs::remove_all(dir);
  EXPECT_FALSE(EnterStartDirectory(line));
  EXPECT_EQ(fs::current_path(), launched);
  EXPECT_EQ(line.outcome, CommandLine::Outcome::Refuse);
  EXPECT_EQ(line.text, "Could not enter the start folder " + (dir / "cruise").string() + ": No such file or directory\n");
}

TEST(CommandLine, HelpAndVersionAreShownAndStrayArgumentsRefused) {
  const CommandLine version = Parse({"--version"});
  EXPECT_EQ(version.outcome, CommandLine::Outcome::ShowText);
  EXPECT_EQ(version.text, "ZR Logger Host 7.06\n");
  // The package carries the same version as the window caption.
  EXPECT_EQ(version.text, std::string("ZR Logger Host ") + QL_PROJECT_VERSION + "\n");

  const CommandLine help = Parse({"-h"});
  EXPECT_EQ(help.outcome, CommandLine::Outcome::ShowText);
  EXPECT_NE(help.text.find("--start-dir <DIR>"), std::string::npos) << help.text;
  EXPECT_NE(help.text.find("comports.txt"), std::string::npos);
  EXPECT_EQ(help.text.rfind("Usage: ql9host [options]", 0), 0u) << help.text;

  EXPECT_EQ(Parse({"--baud", "9600"}).outcome, CommandLine::Outcome::Refuse);
  const CommandLine stray = Parse({"run.001"});
  EXPECT_EQ(stray.outcome, CommandLine::Outcome::Refuse);
  EXPECT_NE(stray.text.find("run.001"), std::string::npos);
  EXPECT_EQ(Parse({"--start-dir"}).outcome, CommandLine::Outcome::Refuse);
}

}  // namespace
}  // namespace ql
