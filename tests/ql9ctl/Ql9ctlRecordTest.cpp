#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <sstream>

#include "Execute.h"
#include "common/Format.h"
#include "headless/HeadlessRig.h"
#include "science/ArchiveRecords.h"
#include "science/InstrumentText.h"
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

// A recorder started while its adapter is out says so, waits for it, and records once it
// is plugged in.
TEST(Ql9ctlRecordTest, ARecorderStartedBeforeItsAdapterWaitsForIt) {
  ql::test::TempDirectory dir;
  ql::test::HeadlessRig rig;
  rig.logger->faults().adapterOut = true;
  std::ostringstream out, err;
  const std::string archive = dir.File("bench.arc");
  const Parsed parsed = ParseOptions({"--device", "/dev/simulated", "record", "--continuous", archive});
  int64_t sizeWhileOut = -1;
  const RunJob run = [&](ql::JobDriver& driver) {
    for (int i = 0; i < 20 * 200; ++i) rig.Step(driver);
    sizeWhileOut = static_cast<int64_t>(std::filesystem::file_size(archive));
    rig.logger->faults().adapterOut = false;
    for (int i = 0; i < 20 * 200; ++i) rig.Step(driver);
    driver.Interrupt();
    return driver.Outcome();
  };
  ASSERT_EQ(Execute(parsed.options, rig.host, run, {out, err, false}), kExitDone) << err.str();
  EXPECT_EQ(sizeWhileOut, 0);
  EXPECT_GT(std::filesystem::file_size(archive), 0u);
  const std::string events = err.str();
  EXPECT_NE(events.find("ql9ctl: cannot open /dev/simulated"), std::string::npos) << events;
  EXPECT_NE(events.find("ql9ctl: link back\n"), std::string::npos) << events;
}

// With --udp, each accepted record's text lines go to the ship's network as "ID,PORT,LINE"
// datagrams, in the order the archive holds the records; an address that cannot be used
// ends the recorder before it starts.
TEST(Ql9ctlRecordTest, TheNetworkGetsTheTextLinesOfEveryRecordedRecord) {
  ql::test::TempDirectory dir;
  ql::test::HeadlessRig rig;
  const int listener = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK, 0);
  ASSERT_GE(listener, 0);
  sockaddr_in at{};
  at.sin_family = AF_INET;
  at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&at), sizeof at), 0);
  socklen_t size = sizeof at;
  ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&at), &size), 0);
  const std::string address = ql::Format("127.0.0.1:%d", ntohs(at.sin_port));
  const std::string archive = dir.File("underway.arc");
  std::ostringstream out, err;
  const Parsed parsed = ParseOptions({"--device", "/dev/simulated", "record", "--continuous", archive, "--udp", address});
  ASSERT_EQ(parsed.outcome, Parsed::Outcome::kRun) << parsed.text;
  std::vector<std::string> received;
  const auto drain = [&] {
    char datagram[2048];
    for (ssize_t n; (n = ::recv(listener, datagram, sizeof datagram, 0)) >= 0;) received.emplace_back(datagram, static_cast<size_t>(n));
  };
  const RunJob run = [&](ql::JobDriver& driver) {
    for (int i = 0; i < 30 * 200; ++i) {
      rig.Step(driver);
      if (i % 200 == 0) drain();
    }
    driver.Interrupt();
    drain();
    return driver.Outcome();
  };
  ASSERT_EQ(Execute(parsed.options, rig.host, run, {out, err, false}), kExitDone) << err.str();
  ::close(listener);

  std::vector<std::string> expected;
  ql::ReadArchiveRecords(archive, [&](const ql::SourceRecord& record) {
    for (int port = 1; port <= 8; ++port) {
      const std::string_view bytes = record.sources[static_cast<size_t>(port - 1)];
      if (!ql::IsText(bytes)) continue;
      ql::ForEachLine(bytes, [&](std::string_view line) {
        expected.push_back(ql::Format("%d,%d,", record.sender, port) + std::string(line));
      });
    }
  });
  EXPECT_GT(expected.size(), 20u);
  EXPECT_EQ(received, expected);

  ql::test::HeadlessRig again;
  const Parsed unusable = ParseOptions({"--device", "/dev/simulated", "record", "--raw", dir.File("r"), "--udp", "shore"});
  const RunJob briefly = [&](ql::JobDriver& driver) { return again.Run(driver); };
  std::ostringstream err2;
  EXPECT_EQ(Execute(unusable.options, again.host, briefly, {out, err2, false}), kExitFailed);
  EXPECT_NE(err2.str().find("--udp shore: give HOST:PORT"), std::string::npos) << err2.str();
}

// A disk that fills (a file-size limit stands in for it): the writer says so once, the
// link and the counters go on, the file it cut keeps whole records only, and recording
// resumes in the next hour's file. The recorder runs in a child, the limit its own.
TEST(Ql9ctlRecordTest, AFullDiskIsToldOnceAndRecordingResumesInTheNextFile) {
  ql::test::TempDirectory dir;
  constexpr rlim_t kLimit = 6000;
  const std::string base = dir.File("mooring_");
  const std::string events = dir.File("events.txt");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{kLimit, kLimit};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ql::test::HeadlessRig rig;
    rig.clock.SetUtc(1'765'000'000 - 1'765'000'000 % 3600 + 3600 - 120);  // two minutes before a full hour
    rig.logger->SetClock(rig.clock.utcMillis / 1000);
    std::ostringstream out, err;
    const RunJob run = [&](ql::JobDriver& driver) {
      for (int i = 0; i < 140 * 200; ++i) rig.Step(driver);
      driver.Interrupt();
      return driver.Outcome();
    };
    const int code = Execute(ParseOptions({"--device", "/dev/simulated", "record", "--hourly", base}).options, rig.host,
                             run, {out, err, false});
    std::ofstream(events) << err.str();
    ::_exit(code);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << status;
  const std::string told = Read(events);
  EXPECT_EQ(WEXITSTATUS(status), kExitDone) << told;

  std::vector<std::filesystem::path> files;
  for (const auto& e : std::filesystem::directory_iterator(dir.path)) {
    if (e.path().extension() != ".csv" && e.path() != events) files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  ASSERT_EQ(files.size(), 2u) << told;
  uint64_t records = 0;
  for (const auto& file : files) {
    const ql::ArchiveReading reading = ql::ReadArchiveRecords(file, [](const ql::SourceRecord&) {});
    EXPECT_FALSE(reading.Damaged()) << file;
    records += reading.records;
  }
  EXPECT_LE(std::filesystem::file_size(files[0]), kLimit);
  EXPECT_GT(std::filesystem::file_size(files[0]), kLimit - 200);
  EXPECT_GT(std::filesystem::file_size(files[1]), 0u);

  const size_t full = told.find("Unable to Write Archive File");
  ASSERT_NE(full, std::string::npos) << told;
  EXPECT_NE(told.find(files[0].string(), full), std::string::npos) << told;
  EXPECT_EQ(full, told.rfind("Unable to Write Archive File")) << told;
  EXPECT_NE(told.find("ql9ctl: writing again: " + files[1].string() + "\n"), std::string::npos) << told;
  EXPECT_EQ(told.find("link lost"), std::string::npos) << told;
  long long accepted = 0, written = 0;
  const size_t stop = told.find("ql9ctl: stopped: ");
  ASSERT_NE(stop, std::string::npos) << told;
  ASSERT_EQ(std::sscanf(told.c_str() + stop, "ql9ctl: stopped: %lld records accepted, %lld written", &accepted, &written), 2);
  EXPECT_EQ(static_cast<uint64_t>(written), records);
  EXPECT_GT(accepted, written + 60);
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
