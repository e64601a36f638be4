#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <fstream>
#include <sstream>

#include "Execute.h"
#include "common/ByteOrder.h"
#include "common/Format.h"
#include "flash/DirectoryEntry.h"
#include "headless/HeadlessRig.h"
#include "loggersim/LoggerPackets.h"
#include "serial/CommandFrame.h"
#include "support/TempDirectory.h"

namespace ql9ctl {
namespace {

using Kind = ql::sim::HostMessage::Kind;

ql::sim::LoggerModel::Options InStandby() {
  ql::sim::LoggerModel::Options o;
  o.sampling = false;
  return o;
}

// One command line carried out against the simulated logger in simulated time.
struct Ql9ctl {
  ql::test::HeadlessRig rig;
  std::ostringstream out;
  std::ostringstream err;

  explicit Ql9ctl(ql::sim::LoggerModel::Options options = {}) : rig(options) {}

  int Run(std::vector<std::string> args) {
    out.str("");
    err.str("");
    args.insert(args.begin(), {"--device", "/dev/simulated"});
    const Parsed parsed = ParseOptions(args);
    EXPECT_EQ(parsed.outcome, Parsed::Outcome::kRun) << parsed.text;
    const RunJob run = [this](ql::JobDriver& driver) { return rig.Run(driver); };
    return Execute(parsed.options, rig.host, run, {out, err, false});
  }
  QJsonObject Json() const {
    return QJsonDocument::fromJson(QByteArray::fromStdString(out.str())).object();
  }
};

std::string Read(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(Ql9ctlTest, StatusShowsStateClockDriftRunBatteryMemoryAndBadFlash) {
  Ql9ctl c(InStandby());
  c.rig.logger->SetClock(c.rig.clock.utcMillis / 1000 - 125);  // the logger runs 125 s slow
  ASSERT_EQ(c.Run({"status"}), kExitDone) << c.err.str();
  const std::string text = c.out.str();
  EXPECT_NE(text.find("State:         Standby\n"), std::string::npos) << text;
  EXPECT_NE(text.find("drift 12"), std::string::npos) << text;
  EXPECT_NE(text.find(" s slow)"), std::string::npos) << text;
  EXPECT_NE(text.find("Run:           003\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Bad flash:     0\n"), std::string::npos) << text;
  EXPECT_EQ(c.err.str(), "");
  // The command line never sets the clock unless told to.
  EXPECT_EQ(c.rig.Heard(Kind::Command, ql::CmdSetTime), 0);

  ASSERT_EQ(c.Run({"status", "--json"}), kExitDone);
  const QJsonObject o = c.Json();
  EXPECT_EQ(o["state"].toString(), "Standby");
  EXPECT_EQ(o["state_code"].toInt(), 9);
  EXPECT_LE(o["drift_seconds"].toInt(), -125);
  EXPECT_GE(o["drift_seconds"].toInt(), -127);
  EXPECT_EQ(o["run"].toInt(), 3);
  EXPECT_GT(o["battery_volts"].toDouble(), 5.0);
  EXPECT_EQ(o["memory_total_bytes"].toInteger(), ql::sim::LoggerModel::kFlashBytes);
}

TEST(Ql9ctlTest, WatchPrintsOneJsonLinePerStatusUntilInterrupted) {
  Ql9ctl c(InStandby());
  const Parsed parsed = ParseOptions({"--device", "/dev/simulated", "status", "--watch", "--json"});
  int seconds = 0;
  const RunJob run = [&](ql::JobDriver& driver) {
    while (!driver.Finished() && seconds < 5) {
      for (int i = 0; i < 200; ++i) c.rig.Step(driver);
      seconds += 1;
    }
    driver.Interrupt();
    return driver.Outcome();
  };
  ASSERT_EQ(Execute(parsed.options, c.rig.host, run, {c.out, c.err, false}), kExitDone);
  std::istringstream lines(c.out.str());
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count) {
    EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(line)).object()["state"].toString(), "Standby");
  }
  EXPECT_GE(count, 4);
  EXPECT_LE(count, 5);
}

TEST(Ql9ctlTest, ASilentLoggerTimesOutWithExitOne) {
  Ql9ctl c;
  c.rig.logger->faults().silent = true;
  for (const char* command : {"status", "dir", "clock"}) {
    EXPECT_EQ(c.Run({"--timeout", "3", command}), kExitFailed) << command;
    EXPECT_EQ(c.err.str(), "ql9ctl: no status from the logger within 3 s\n") << command;
    EXPECT_EQ(c.out.str(), "") << command;
  }
}

TEST(Ql9ctlTest, SetupGetSendGetGivesTheSameFileAndADiffNamesTheChangedKey) {
  ql::test::TempDirectory dir;
  Ql9ctl c;
  const std::string first = dir.File("first.toml");
  ASSERT_EQ(c.Run({"setup", "get", first}), kExitDone) << c.err.str();
  ASSERT_EQ(c.Run({"setup", "send", first}), kExitDone) << c.err.str();
  EXPECT_EQ(c.out.str(), "Setup sent; the logger holds it.\n");
  EXPECT_EQ(c.rig.Heard(Kind::Setup), 1);
  const std::string second = dir.File("second.toml");
  ASSERT_EQ(c.Run({"setup", "get", second}), kExitDone);
  EXPECT_EQ(Read(first), Read(second));
  EXPECT_EQ(c.Run({"setup", "diff", first}), kExitDone);
  EXPECT_EQ(c.out.str(), "");

  // An edited file: the diff names the key, the send changes the logger.
  std::string text = Read(first);
  const size_t at = text.find("interval = \"");
  text.replace(at, text.find('\n', at) - at, "interval = \"20 Minutes\"");
  std::ofstream(first) << text;
  EXPECT_EQ(c.Run({"setup", "diff", "--json", first}), kExitFailed);
  const QJsonObject diff = c.Json();
  ASSERT_EQ(diff["differences"].toArray().size(), 1);
  EXPECT_EQ(diff["differences"][0]["key"].toString(), "interval");
  EXPECT_EQ(diff["differences"][0]["file"].toString(), "20 Minutes");
  ASSERT_EQ(c.Run({"setup", "send", "--json", first}), kExitDone) << c.err.str();
  EXPECT_TRUE(c.Json()["taken"].toBool());
  EXPECT_EQ(ql::GetI32LE(c.rig.logger->Setup().Bytes().data() + ql::sim::SetupRecord::kIntervalSeconds), 1200);
}

TEST(Ql9ctlTest, AFileWithABadValueIsRefusedWithItsLineAndNothingIsSent) {
  ql::test::TempDirectory dir;
  Ql9ctl c;
  const std::string file = dir.File("setup.toml");
  ASSERT_EQ(c.Run({"setup", "get", file}), kExitDone);
  const int heardBefore = static_cast<int>(c.rig.logger->Heard().size());
  std::string text = Read(file);
  const size_t at = text.find("delay = \"");
  const int line = static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(at), '\n')) + 1;
  text.replace(at, text.find('\n', at) - at, "delay = \"200 Hours\"\nwarmup_typo = 3");
  std::ofstream(file) << text;
  EXPECT_EQ(c.Run({"setup", "send", file}), kExitUsage);
  const std::string err = c.err.str();
  EXPECT_NE(err.find(ql::Format("%s:%d: delay: allowed: 0..100 followed by Seconds, Minutes or Hours\n", file.c_str(), line)),
            std::string::npos) << err;
  EXPECT_NE(err.find(ql::Format("%s:%d: warmup_typo: no such control", file.c_str(), line + 1)), std::string::npos) << err;
  EXPECT_NE(err.find("refused: nothing was sent"), std::string::npos);
  EXPECT_EQ(static_cast<int>(c.rig.logger->Heard().size()), heardBefore);
  EXPECT_EQ(c.rig.Heard(Kind::Setup), 0);
}

TEST(Ql9ctlTest, ASetupTheLoggerDoesNotTakeIsReportedFieldByField) {
  ql::test::TempDirectory dir;
  Ql9ctl c;
  const std::string file = dir.File("setup.toml");
  ASSERT_EQ(c.Run({"setup", "get", file}), kExitDone);
  std::string text = Read(file);
  const size_t at = text.find("sample = \"");
  text.replace(at, text.find('\n', at) - at, "sample = \"3 Minutes\"");
  std::ofstream(file) << text;
  // Another host puts the old setup back the moment ours has gone: the logger ends up
  // holding something else than what was sent.
  const std::array<uint8_t, ql::sim::SetupRecord::kSize> old = c.rig.logger->Setup().Bytes();
  const Parsed parsed = ParseOptions({"--device", "/dev/simulated", "setup", "send", file});
  const RunJob run = [&](ql::JobDriver& driver) {
    while (!driver.Finished() && c.rig.Heard(Kind::Setup) == 0) c.rig.Step(driver);
    c.rig.logger->Receive(old.data(), static_cast<int>(old.size()));
    return c.rig.Run(driver);
  };
  EXPECT_EQ(Execute(parsed.options, c.rig.host, run, {c.out, c.err, false}), kExitFailed);
  EXPECT_EQ(c.out.str(), "The logger holds other values:\nsample: sent \"3 Minutes\", logger \"1 Minutes\"\n");
  EXPECT_EQ(c.err.str(), "ql9ctl: the logger did not take the setup: 1 fields differ\n");
}

TEST(Ql9ctlTest, ClockSyncSetsTheLoggerClockAndConfirmsItFromALaterStatus) {
  Ql9ctl c(InStandby());
  c.rig.logger->SetClock(c.rig.clock.utcMillis / 1000 + 3600 + 42);
  ASSERT_EQ(c.Run({"clock", "--json"}), kExitDone);
  EXPECT_FALSE(c.Json()["set"].toBool());
  EXPECT_EQ(c.rig.Heard(Kind::Command, ql::CmdSetTime), 0);

  ASSERT_EQ(c.Run({"clock", "--sync", "--json"}), kExitDone) << c.err.str();
  const QJsonObject o = c.Json();
  EXPECT_TRUE(o["set"].toBool());
  EXPECT_GE(o["drift_seconds"].toInt(), 3640);
  EXPECT_LE(std::abs(o["drift_after_seconds"].toInt()), 5);
  EXPECT_EQ(c.rig.Heard(Kind::Command, ql::CmdSetTime), 1);
  EXPECT_LE(std::abs(c.rig.logger->LoggerSeconds() - c.rig.clock.utcMillis / 1000), 2);
}

TEST(Ql9ctlTest, DirListsTheRunsAsTheUploadPageDoes) {
  Ql9ctl c(InStandby());
  ASSERT_EQ(c.Run({"dir"}), kExitDone) << c.err.str();
  std::istringstream lines(c.out.str());
  std::vector<std::string> l;
  for (std::string line; std::getline(lines, line);) l.push_back(line);
  ASSERT_EQ(l.size(), 4u);
  EXPECT_EQ(l[0], ql::kRunListHeader);
  EXPECT_EQ(l[2].substr(0, 15), " 002     PROF  ");
  ASSERT_EQ(c.Run({"dir", "--json"}), kExitDone);
  EXPECT_EQ(c.Json()["runs"].toArray().size(), 3);
  EXPECT_EQ(c.Json()["runs"][1]["run"].toInt(), 2);
  EXPECT_EQ(c.Json()["runs"][1]["size"].toInteger(), static_cast<qint64>(c.rig.logger->flash().Runs()[1].bytes.size()));

  // While it samples the logger lists nothing, and says why.
  Ql9ctl sampling;
  EXPECT_EQ(sampling.Run({"dir"}), kExitFailed);
  EXPECT_EQ(sampling.err.str(), "ql9ctl: Directory Error: The QL-9 Must be in Standby before the Directory can be Retrieved\n");
}

TEST(Ql9ctlTest, UploadThroughLostAndRepeatedBlocksIsByteExactAndASecondUploadSkipsTheRuns) {
  ql::test::TempDirectory dir;
  Ql9ctl c(InStandby());
  c.rig.logger->flash().faults().droppedBlocks = 0.1;
  c.rig.logger->flash().faults().repeatedBlocks = 0.1;
  const std::string out = dir.File("cruise");
  ASSERT_EQ(c.Run({"upload", "--runs", "1,3", "--out", out}), kExitDone) << c.err.str();
  for (int run : {1, 3}) {
    const auto& stored = c.rig.logger->flash().Runs()[static_cast<size_t>(run - 1)].bytes;
    EXPECT_EQ(Read(ql::Format("%s/run.%03d", out.c_str(), run)), std::string(stored.begin(), stored.end())) << run;
    EXPECT_FALSE(Read(ql::Format("%s/archive.%03d", out.c_str(), run)).empty()) << run;
  }
  EXPECT_FALSE(std::filesystem::exists(out + "/run.002"));
  EXPECT_GT(c.rig.logger->flash().counters().blocksDropped, 0);
  EXPECT_GT(c.rig.logger->flash().counters().blocksRepeated, 0);
  EXPECT_NE(c.out.str().find("run.001 uploaded"), std::string::npos) << c.out.str();
  EXPECT_NE(c.err.str().find("run.003: "), std::string::npos);  // progress lines
  EXPECT_EQ(c.rig.Heard(Kind::Command, ql::CmdUploadRun), 2);

  // Again, with every run: the two already there are skipped and said so.
  ASSERT_EQ(c.Run({"upload", "--all", "--out", out, "--extract", "1", "--json"}), kExitDone) << c.err.str();
  const QJsonArray runs = c.Json()["runs"].toArray();
  ASSERT_EQ(runs.size(), 3);
  EXPECT_EQ(runs[0]["result"].toString(), "skipped");
  EXPECT_EQ(runs[1]["result"].toString(), "uploaded");
  EXPECT_EQ(runs[2]["result"].toString(), "skipped");
  EXPECT_EQ(c.rig.Heard(Kind::Command, ql::CmdUploadRun), 3);
  EXPECT_FALSE(Read(out + "/Port1.002").empty());  // the raw files of the second choice

  EXPECT_EQ(c.Run({"upload", "--runs", "9", "--out", out}), kExitFailed);
  EXPECT_EQ(c.err.str(), "ql9ctl: run 9 is not in the logger's directory\n");
}

TEST(Ql9ctlTest, AnUploadTheLoggerStopsAnsweringEndsWithExitOneAndNoWholeName) {
  ql::test::TempDirectory dir;
  Ql9ctl c(InStandby());
  const Parsed parsed = ParseOptions({"--device", "/dev/simulated", "upload", "--runs", "2", "--out", dir.File("o")});
  const RunJob run = [&](ql::JobDriver& driver) {
    while (!driver.Finished() && c.rig.host.State().flash.upload.bytesReceived < 4000) c.rig.Step(driver);
    c.rig.logger->faults().silent = true;
    return c.rig.Run(driver);
  };
  EXPECT_EQ(Execute(parsed.options, c.rig.host, run, {c.out, c.err, false}), kExitFailed);
  EXPECT_NE(c.err.str().find("upload of run 2 stalled: no block from the logger for 60 s"), std::string::npos) << c.err.str();
  EXPECT_NE(c.out.str().find("run.002 FAILED: not whole"), std::string::npos) << c.out.str();
}

TEST(Ql9ctlTest, SleepSendsTheWakeUpMomentAndRefusesOneTooSoon) {
  Ql9ctl c(InStandby());
  const std::string soon = ql::WallClockText(c.rig.clock.utcMillis / 1000 + 10);
  EXPECT_EQ(c.Run({"sleep", "--until", soon}), kExitUsage);
  EXPECT_EQ(c.rig.Heard(Kind::Command, ql::CmdSleepUntil), 0);
  EXPECT_FALSE(c.err.str().empty());
  const std::string later = ql::WallClockText(c.rig.clock.utcMillis / 1000 + 3600);
  ASSERT_EQ(c.Run({"sleep", "--until", later, "--json"}), kExitDone) << c.err.str();
  EXPECT_EQ(c.Json()["wake_up"].toString().toStdString(), later);
  EXPECT_EQ(c.rig.Heard(Kind::Command, ql::CmdSleepUntil), 1);
  for (int i = 0; i < 400; ++i) c.rig.logger->Advance(5);
  EXPECT_EQ(c.rig.logger->State(), ql::sim::kStateSleeping);
}

TEST(Ql9ctlTest, TheCommandLineTakesOptionsOnEitherSideAndRefusesWhatItCannotUse) {
  Parsed p = ParseOptions({"status", "--port", "COM3", "--line", "9600,7,E,1", "--json"});
  ASSERT_EQ(p.outcome, Parsed::Outcome::kRun) << p.text;
  EXPECT_EQ(p.options.port.com, 3);
  EXPECT_EQ(p.options.port.lineIndex, 7);
  EXPECT_TRUE(p.options.json);
  p = ParseOptions({"--line", "auto", "--device", "/dev/ttyUSB0", "upload", "--all", "--out", "d"});
  ASSERT_EQ(p.outcome, Parsed::Outcome::kRun) << p.text;
  EXPECT_TRUE(p.options.port.autoBaud);
  EXPECT_FALSE(p.options.runs);
  p = ParseOptions({"setup", "send", "f.toml", "--port", "COM1"});
  ASSERT_EQ(p.outcome, Parsed::Outcome::kRun) << p.text;
  EXPECT_EQ(p.options.command, Options::Command::kSetupSend);
  EXPECT_EQ(p.options.file, "f.toml");
  p = ParseOptions({"sleep", "--until", "2031-02-03 04:05:06", "--port", "COM1"});
  EXPECT_EQ(p.options.wakeDate, "02/03/2031");
  EXPECT_EQ(p.options.wakeTime, "04:05:06");

  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"status"},
           {"status", "--port", "COM13"},
           {"status", "--port", "COM1", "--device", "/dev/x"},
           {"status", "--port", "COM1", "--line", "9601"},
           {"upload", "--port", "COM1", "--out", "d"},
           {"upload", "--port", "COM1", "--runs", "3-1", "--out", "d"},
           {"upload", "--port", "COM1", "--all", "--runs", "1", "--out", "d"},
           {"upload", "--port", "COM1", "--all", "--out", "d", "--extract", "2"},
           {"sleep", "--port", "COM1", "--until", "tomorrow"},
           {"frobnicate", "--port", "COM1"},
           {"--port", "COM1"},
       }) {
    const Parsed refused = ParseOptions(bad);
    EXPECT_EQ(refused.outcome, Parsed::Outcome::kRefuse) << bad[0];
    EXPECT_FALSE(refused.text.empty());
    EXPECT_EQ(refused.text.find('\n'), std::string::npos) << refused.text;
  }
  p = ParseOptions({"upload", "--help"});
  EXPECT_EQ(p.outcome, Parsed::Outcome::kShowText);
  EXPECT_NE(p.text.find("--runs"), std::string::npos) << p.text;
}

TEST(Ql9ctlTest, AMissingDeviceFailsWithExitOne) {
  Ql9ctl c;
  const Parsed parsed = ParseOptions({"--port", "COM2", "--start-dir", "/nonexistent-folder", "status"});
  ql::sim::SimulatedPortOptions refuse;
  refuse.refuse = {"/dev/ttyS1"};
  ql::HeadlessHost host(ql::sim::SimulatedFactory(c.rig.logger, refuse), c.rig.clock);
  const RunJob run = [&](ql::JobDriver& driver) { return c.rig.Run(driver); };
  EXPECT_EQ(Execute(parsed.options, host, run, {c.out, c.err, false}), kExitFailed);
  EXPECT_EQ(c.err.str().rfind("ql9ctl: cannot open /dev/ttyS1 (", 0), 0u) << c.err.str();
}

}  // namespace
}  // namespace ql9ctl
