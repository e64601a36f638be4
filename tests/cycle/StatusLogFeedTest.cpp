#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cycle/RecordActions.h"
#include "hostmain/SimulatedHost.h"
#include "plot/StatusLog.h"

namespace ql {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

int Lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

TEST(StatusLogFeed, EveryStatusWhileRecordingBecomesARowAndAMissingFolderIsReportedOnce) {
  const fs::path dir = fs::temp_directory_path() / "ql9-status-feed";
  fs::remove_all(dir);
  fs::create_directories(dir);
  test::SimulatedHost sim;
  sim.Seconds(2);  // not recording: no log
  EXPECT_TRUE(fs::is_empty(dir));

  const fs::path archive = dir / "cast.dat";
  sim.person.ScriptFile(archive.string());
  BTRecordArchiveClick(sim.host);
  sim.Seconds(3);
  const std::string text = ReadAll(dir / "cast.dat.status.csv");
  EXPECT_EQ(text.rfind(StatusLog::kHeader, 0), 0u);
  EXPECT_GE(Lines(text), 3);
  EXPECT_NE(text.find(",Sampling,"), std::string::npos) << text;

  // Recording stopped: the log stops with it.
  BTStopRecordClick(sim.host);
  sim.Seconds(2);
  EXPECT_EQ(ReadAll(dir / "cast.dat.status.csv"), text);

  // A raw file whose log cannot be made (a folder stands in its place): one box, then quiet.
  fs::create_directories(dir / "cast.raw.status.csv");
  sim.person.ScriptFile((dir / "cast.raw").string());
  BTRecordRawClick(sim.host);
  sim.Seconds(3);
  int reports = 0;
  for (const auto& box : sim.person.boxes) reports += box.caption == "Status Log";
  EXPECT_EQ(reports, 1);
  BTStopRecordClick(sim.host);
  sim.Second();  // the next status closes the log
  fs::remove_all(dir);
}

}  // namespace
}  // namespace ql
