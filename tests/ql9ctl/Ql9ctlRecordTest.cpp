#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "Execute.h"
#include "common/Format.h"
#include "headless/HeadlessRig.h"
#include "support/TempDirectory.h"

namespace ql9ctl {
namespace {

std::string Read(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The recorder over an hourly turn: the records accepted reach the files once each and
// in order, each hour in its own file, and a stop leaves every accepted record on disk.
TEST(Ql9ctlRecordTest, HourlyFilesHoldEveryAcceptedRecordOnceAndInOrderAcrossTheTurn) {
  ql::test::TempDirectory dir;
  ql::test::HeadlessRig rig;
  rig.clock.SetUtc(1'765'000'000 - 1'765'000'000 % 3600 + 3600 - 40);  // 40 s before a full hour
  rig.logger->SetClock(rig.clock.utcMillis / 1000);
  std::ostringstream out, err;
  const std::string base = dir.File("station_");
  const Parsed parsed = ParseOptions({"--device", "/dev/simulated", "record", "--hourly", base});
  ASSERT_EQ(parsed.outcome, Parsed::Outcome::kRun) << parsed.text;
  std::string accepted;
  const RunJob run = [&](ql::JobDriver& driver) {
    for (int i = 0; i < 200 && !driver.Finished(); ++i) rig.Step(driver);
    // The records as the writer got them, from here on.
    auto write = rig.host.State().consumer.hooks().archive;
    rig.host.State().consumer.hooks().archive = [&, write](const uint8_t* record, int length, int state) {
      const bool written = write(record, length, state);
      if (written) accepted.append(reinterpret_cast<const char*>(record), static_cast<size_t>(length));
      return written;
    };
    for (int i = 0; i < 80 * 200 && !driver.Finished(); ++i) rig.Step(driver);
    driver.Interrupt();  // SIGTERM
    return driver.Outcome();
  };
  ASSERT_EQ(Execute(parsed.options, rig.host, run, {out, err, false}), kExitDone) << err.str();

  // The archives, each with the status log the window keeps beside it.
  std::vector<std::filesystem::path> files, statusLogs;
  for (const auto& e : std::filesystem::directory_iterator(dir.path)) {
    (e.path().extension() == ".csv" ? statusLogs : files).push_back(e.path());
  }
  EXPECT_FALSE(statusLogs.empty());
  std::sort(files.begin(), files.end());
  ASSERT_EQ(files.size(), 2u);
  const int64_t hour = rig.clock.utcMillis / 1000 / 3600 % 24;
  EXPECT_EQ(files[1].filename().string().substr(files[1].filename().string().size() - 3), ql::Format("%03lld", static_cast<long long>(hour)));
  const std::string first = Read(files[0]);
  const std::string second = Read(files[1]);
  EXPECT_GT(first.size(), 0u);
  EXPECT_GT(second.size(), 0u);
  EXPECT_EQ((first + second).substr((first + second).size() - accepted.size()), accepted);

  const std::string events = err.str();
  EXPECT_EQ(events.find("ql9ctl: started: recording 1 hour archive files " + base + "\n"), 0u) << events;
  EXPECT_NE(events.find("ql9ctl: file opened: " + files[0].string() + "\n"), std::string::npos) << events;
  EXPECT_NE(events.find("ql9ctl: file opened: " + files[1].string() + "\n"), std::string::npos) << events;
  long long acceptedCount = -1, writtenCount = -2;
  const size_t stop = events.find("ql9ctl: stopped: ");
  ASSERT_NE(stop, std::string::npos) << events;
  ASSERT_EQ(std::sscanf(events.c_str() + stop, "ql9ctl: stopped: %lld records accepted, %lld written", &acceptedCount,
                        &writtenCount), 2);
  EXPECT_EQ(acceptedCount, writtenCount);
  EXPECT_GT(acceptedCount, 100);
  EXPECT_EQ(rig.host.State().recording.state, ql::kRecordOff);
}

TEST(Ql9ctlRecordTest, ALoggerThatFallsSilentIsToldOnceAndRecordingGoesOnWhenItIsBack) {
  ql::test::TempDirectory dir;
  ql::test::HeadlessRig rig;
  std::ostringstream out, err;
  const Parsed parsed = ParseOptions({"--device", "/dev/simulated", "record", "--raw", dir.File("line.raw")});
  int64_t sizeWhileSilent = 0;
  const RunJob run = [&](ql::JobDriver& driver) {
    for (int i = 0; i < 5 * 200; ++i) rig.Step(driver);
    rig.logger->faults().silent = true;
    for (int i = 0; i < 60 * 200; ++i) rig.Step(driver);
    sizeWhileSilent = static_cast<int64_t>(std::filesystem::file_size(dir.File("line.raw")));
    rig.logger->faults().silent = false;
    for (int i = 0; i < 10 * 200; ++i) rig.Step(driver);
    driver.Interrupt();
    return driver.Outcome();
  };
  ASSERT_EQ(Execute(parsed.options, rig.host, run, {out, err, false}), kExitDone) << err.str();
  const std::string events = err.str();
  EXPECT_NE(events.find("ql9ctl: link lost: no data for 30 s\n"), std::string::npos) << events;
  EXPECT_EQ(events.find("link lost"), events.rfind("link lost")) << events;
  EXPECT_NE(events.find("ql9ctl: link back\n"), std::string::npos) << events;
  EXPECT_GT(static_cast<int64_t>(std::filesystem::file_size(dir.File("line.raw"))), sizeWhileSilent);
}

TEST(Ql9ctlRecordTest, AFileThatCannotBeMadeEndsTheRecorderWithExitOne) {
  ql::test::HeadlessRig rig;
  std::ostringstream out, err;
  const Parsed parsed = ParseOptions({"--device", "/dev/simulated", "record", "--continuous", "/nonexistent-dir/a.arc"});
  const RunJob run = [&](ql::JobDriver& driver) { return rig.Run(driver); };
  EXPECT_EQ(Execute(parsed.options, rig.host, run, {out, err, false}), kExitFailed);
  EXPECT_NE(err.str().find("cannot record into /nonexistent-dir/a.arc"), std::string::npos) << err.str();
  EXPECT_EQ(ParseOptions({"--port", "COM1", "record"}).outcome, Parsed::Outcome::kRefuse);
  EXPECT_EQ(ParseOptions({"--port", "COM1", "record", "--raw", "a", "--hourly", "b"}).outcome, Parsed::Outcome::kRefuse);
}

}  // namespace
}  // namespace ql9ctl
