// A day at sea in a minute: the host core and the simulated logger in one process, over
// the in-memory serial link, on a fake clock that runs as fast as the machine allows.
// Live data from four senders, each with its own instruments, at three line speeds while
// every fault of the logger comes and goes, recorded to hourly archives from twenty
// minutes before a New Year's midnight on; then an upload of every run through lost,
// repeated and late blocks, and the extraction of each. Then the unattended recorder for
// a week to each day, through pulled cables and a full disk. One line per check, and a
// last line "N passed, N failed".
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

#include "DeliveryLedger.h"
#include "RecorderWeek.h"
#include "SoakChecks.h"
#include "archive/ArchiveRecord.h"
#include "common/ByteOrder.h"
#include "common/Format.h"
#include "cycle/Cycle.h"
#include "cycle/HostState.h"
#include "cycle/LinkHealth.h"
#include "cycle/PcClock.h"
#include "cycle/RecordActions.h"
#include "flash/ExtractionMemory.h"
#include "flash/LoggerDirectory.h"
#include "flash/RunExtraction.h"
#include "flash/RunUpload.h"
#include "loggersim/LoggerModel.h"
#include "loggersim/SimulatedSerialDevice.h"
#include "serial/LineSettings.h"
#include "support/FakeClock.h"
#include "support/FakeOperator.h"

namespace ql::soak {
namespace {

namespace fs = std::filesystem;
constexpr int64_t kTickMs = 5;
constexpr int64_t kHourMs = 3'600'000;
constexpr int64_t kSettleMs = 3000;  // after a line or fault change, records may go either way
constexpr int64_t kFaultMs = 90'000;  // how long each fault lasts in its turn
constexpr int64_t kShortestTurnMs = 2 * kFaultMs;
// 31 December 2025, 23:40:00 UTC; the PC clock keeps UTC, so hourly names turn the year.
constexpr int64_t kCruiseStartUtc = 1'767'224'400;
constexpr const char* kArchiveBase = "cruise";

// One fault of the logger, on for a while in its turn.
struct FaultTurn {
  const char* name;
  std::function<void(sim::LoggerModel&, HostState&, bool on)> set;
};

const std::vector<FaultTurn>& FaultTurns() {
  static const std::vector<FaultTurn> turns = {
      {"noise 30 %", [](sim::LoggerModel& l, HostState&, bool on) { l.faults().noise = on ? 0.3 : 0.0; }},
      {"bursts of 600 bytes 0x08", [](sim::LoggerModel& l, HostState&, bool on) { l.faults().typeBursts = on ? 600 : 0; }},
      {"bad checksums", [](sim::LoggerModel& l, HostState&, bool on) { l.faults().badChecksums = on ? 0.05 : 0.0; }},
      {"silence", [](sim::LoggerModel& l, HostState&, bool on) { l.faults().silent = on; }},
      {"wrong speed with automatic baud detection",
       [](sim::LoggerModel& l, HostState& h, bool on) {
         l.faults().wrongSpeed = on;
         if (on && !h.loggerPort.autoBaud) AutoBaudRateDetectionClick(h);
       }},
      {"duplicates", [](sim::LoggerModel& l, HostState&, bool on) { l.faults().duplicates = on; }},
      {"gaps", [](sim::LoggerModel& l, HostState&, bool on) { l.faults().gaps = on; }},
      {"bad flash", [](sim::LoggerModel& l, HostState&, bool on) { l.faults().badFlash = on ? 5 : 0; }},
      {"senders beyond 4", [](sim::LoggerModel& l, HostState&, bool on) { l.faults().highSenders = on; }},
  };
  return turns;
}

struct LineStage {
  int lineIndex;
  double recordsPerSecond;
};
// The line speed changes twice; faster lines carry more senders' data.
constexpr LineStage kStages[] = {{kLine9600, 2.0}, {9, 8.0}, {kLine115200, 20.0}};

class Cruise {
 public:
  Cruise(double hours, uint64_t seed, Checks& checks)
      : hours_(hours),
        checks_(checks),
        logger_(std::make_shared<sim::LoggerModel>(Options(seed))),
        host_(sim::SimulatedFactory(logger_), clock_, person_),
        ledger_(10'000) {
    clock_.SetUtc(kCruiseStartUtc);
    host_.ports.ConfigurePort(0, 1, kLine9600);
    host_.loggerPort.comIndex = 1;
    host_.loggerPort.lineIndex = kLine9600;
    logger_->SetSenders(1, 4);
    logger_->SetMixedInstruments(true);  // each sender its own instruments: text, binary, analog
    logger_->SetDataRate(kStages[0].recordsPerSecond);
    logger_->SetSentTap([this](const sim::Bytes& p, bool intact) { OnSent(p, intact); });
    auto plotHook = host_.consumer.hooks().accepted;
    host_.consumer.hooks().accepted = [this, plotHook](const uint8_t* record) {
      if (plotHook) plotHook(record);
      ledger_.Accepted({record[2], record[3], GetU32LE(record + 6)}, nowMs_);
      if (IsSeriesState(host_.recording.state)) {
        accepted_.Add(record, GetU16LE(record + archive::kDataLength) + size_t{archive::kEnvelope});
      }
    };
    folder_ = fs::temp_directory_path() / ("ql9-soak-" + std::to_string(getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  ~Cruise() { fs::remove_all(folder_); }

  void Run() {
    const auto wallStart = std::chrono::steady_clock::now();
    StartHourlyArchives();
    Sail();
    BTStopRecordClick(host_);
    const double wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    ledger_.Settle(nowMs_ + 1'000'000);
    JudgeLiveData();
    JudgeArchives();
    UploadAndExtract();
    checks_.Check(residentAfterFirstHourKb_ == 0 || residentAtEndKb_ - residentAfterFirstHourKb_ < 4 * 1024,
                  Format("%s %ld KB after the first hour, %ld KB at the end of the live data", kMemoryMeasured,
                         residentAfterFirstHourKb_, residentAtEndKb_));
    std::printf("figure: %.1f simulated hours of live data in %.1f s: %.1f simulated hours per wall-clock second\n",
                hours_, wallSeconds, hours_ / std::max(wallSeconds, 1e-9));
  }

 private:
  static sim::LoggerModel::Options Options(uint64_t seed) {
    sim::LoggerModel::Options o;
    o.clockSeconds = kCruiseStartUtc;
    o.seed = seed;
    return o;
  }

  LineParams HostLine() const { return *ParseModeString(ModeString(host_.ports.LineSetting(0))); }

  void OnSent(const sim::Bytes& packet, bool intact) {
    if (packet.size() < 12 || packet[0] != 8) return;
    const int sender = packet[4];
    if (sender < 1 || sender > 4) return;  // refused by rule, never accepted
    DeliveryLedger::Fate fate = DeliveryLedger::Fate::Readable;
    if (!intact || !logger_->Understands(HostLine()) || !host_.ports.IsPortOpen(0)) {
      fate = DeliveryLedger::Fate::Lost;
    } else if (nowMs_ - lastChangeMs_ < kSettleMs) {
      fate = DeliveryLedger::Fate::Uncertain;
    }
    ledger_.Sent({sender, packet[5], GetU32BE(packet.data() + 8)}, fate, nowMs_);
  }

  void Step() {
    nowMs_ += kTickMs;
    logger_->Advance(static_cast<int>(kTickMs));
    clock_.AdvanceMs(kTickMs);
    Timer10msTimer(host_);
    if (nowMs_ % 1000 == 0) {
      Timer475msTimer(host_);
      Timer1000msTimer(host_);
      ledger_.Settle(nowMs_);
    }
    if (!host_.flash.upload.timeoutEnabled) {
      timeoutDueMs_ = -1;
    } else if (timeoutDueMs_ < 0) {
      timeoutDueMs_ = nowMs_ + 1500;
    } else if (nowMs_ >= timeoutDueMs_) {
      timeoutDueMs_ += 1500;
      TTimeoutTimer(host_.flash);
    }
    const bool understood = logger_->Understands(HostLine());
    if (understood != understood_) {
      understood_ = understood;
      lastChangeMs_ = nowMs_;
    }
  }

  void StartHourlyArchives() {
    RefreshPcClock(host_.pc, clock_);  // as the fast tick has done before any click
    person_.ScriptFile((folder_ / kArchiveBase).string());
    BTRecord1HourClick(host_);
    if (host_.recording.state != kRecordHourly) std::printf("hourly archives did not start\n");
  }

  // Live data: one fault in turn for ninety seconds, every ten minutes, or more often on
  // a cruise too short for every fault to come round at that pace.
  void Sail() {
    const auto total = static_cast<int64_t>(hours_ * kHourMs);
    const auto turns = static_cast<int64_t>(FaultTurns().size());
    const int64_t turnMs = std::clamp<int64_t>(total / turns / 1000 * 1000, kShortestTurnMs, 600'000);
    size_t stage = 0;
    while (nowMs_ < total) {
      const int64_t inTurn = nowMs_ % turnMs;
      const auto& turn = FaultTurns()[static_cast<size_t>(nowMs_ / turnMs % turns)];
      if (inTurn == 0 || inTurn == kFaultMs) {
        turn.set(*logger_, host_, inTurn == 0);
        lastChangeMs_ = nowMs_;
        if (inTurn == 0) ++faultTurns_;
      }
      const size_t wanted = std::min<size_t>(static_cast<size_t>(3 * nowMs_ / std::max<int64_t>(total, 1)), 2);
      if (wanted != stage && inTurn > kFaultMs + kSettleMs) ChangeLine(stage = wanted);
      Step();
      if (nowMs_ % kHourMs == 0) DrainBoxes();
      if (nowMs_ == kHourMs) residentAfterFirstHourKb_ = MemoryKb();
    }
    residentAtEndKb_ = MemoryKb();
  }

  void ChangeLine(size_t stage) {
    LineParams line = *ParseModeString(ModeString(kStages[stage].lineIndex));
    logger_->SetLine(line);
    host_.loggerPort.lineIndex = host_.ports.ConfigurePort(0, 1, kStages[stage].lineIndex);
    logger_->SetDataRate(kStages[stage].recordsPerSecond);
    lastChangeMs_ = nowMs_;
    ++lineChanges_;
  }

  void JudgeLiveData() {
    const DeliveryLedger::Verdict& v = ledger_.Judged();
    std::printf("figure: %lld records sent by senders 1..4, %lld had to be accepted, %lld accepted, %lld while settling\n",
                static_cast<long long>(v.sent), static_cast<long long>(v.expected), static_cast<long long>(v.accepted),
                static_cast<long long>(v.uncertainAccepted));
    const auto turns = static_cast<int>(FaultTurns().size());
    checks_.Check(faultTurns_ >= turns || hours_ * kHourMs < static_cast<double>(kShortestTurnMs * turns),
                  Format("%d fault turns, %d line speed changes", faultTurns_, lineChanges_));
    checks_.Check(v.expected > 0 && v.missing == 0,
                  Format("every readable record accepted (%lld missing)", static_cast<long long>(v.missing)));
    checks_.Check(v.repeated == 0, Format("no record accepted twice (%lld)", static_cast<long long>(v.repeated)));
    checks_.Check(v.outOfOrder == 0, Format("records of each sender in order (%lld out of order)",
                                            static_cast<long long>(v.outOfOrder)));
    checks_.Check(v.unexpected == 0, Format("records the sequence rule drops were not accepted (%lld)",
                                            static_cast<long long>(v.unexpected)));
    checks_.Check(v.foreign == 0, Format("no record made of noise accepted (%lld)", static_cast<long long>(v.foreign)));
    checks_.Check(v.longestWaitMs < 10'000, Format("longest wait from sending to acceptance %lld ms",
                                                   static_cast<long long>(v.longestWaitMs)));
  }

  // The hourly files, in the order of their names, hold exactly the accepted records:
  // each once, in order, whole; and one file for each hour of the PC clock touched.
  void JudgeArchives() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      const std::string name = entry.path().filename().string();
      if (name.rfind(kArchiveBase, 0) == 0 && name.find(".status") == std::string::npos) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    Digest recorded;
    int64_t records = 0;
    bool whole = true;
    for (const std::string& name : names) {
      std::ifstream in(folder_ / name, std::ios::binary);
      const std::string bytes(std::istreambuf_iterator<char>(in), {});
      const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
      size_t at = 0;
      while (at + archive::kEnvelope <= bytes.size()) {
        at += GetU16LE(data + at + archive::kDataLength) + size_t{archive::kEnvelope};
        ++records;
      }
      whole = whole && at == bytes.size();
      recorded.Add(data, bytes.size());
    }
    const int64_t touchedHours = (kCruiseStartUtc % 3600 + nowMs_ / 1000) / 3600 + 1;
    const std::string span = names.empty() ? "none" : names.front() + " to " + names.back();
    checks_.Check(static_cast<int64_t>(names.size()) == touchedHours && names.front() == "cruise25_365.023" &&
                      (touchedHours < 2 || names[1] == "cruise26_001.000"),
                  Format("%zu hourly archive files across midnight (%s)", names.size(), span.c_str()));
    checks_.Check(whole && recorded.bytes == accepted_.bytes && recorded.value == accepted_.value,
                  Format("every accepted record recorded once, in order (%lld records, %lld of %lld bytes)",
                         static_cast<long long>(records), static_cast<long long>(recorded.bytes),
                         static_cast<long long>(accepted_.bytes)));
  }

  // Every run the logger holds, uploaded through lost, repeated and late blocks and an
  // unanswered first start request per run, and extracted.
  void UploadAndExtract() {
    logger_->Stop();
    for (const FaultTurn& t : FaultTurns()) t.set(*logger_, host_, false);
    logger_->flash().faults().droppedBlocks = 0.1;
    logger_->flash().faults().repeatedBlocks = 0.1;
    logger_->flash().faults().delayedBlocks = 0.05;
    logger_->flash().faults().silentStart = true;
    RunFor(2000);
    BTGetDirectoryClick(host_.flash, host_.statusMemory.loggerState, host_.statusMemory.loggerName);
    RunFor(2000);
    const size_t runs = logger_->flash().Runs().size();
    checks_.Check(runs > 0 && host_.flash.page.profiles.size() == runs,
                  Format("directory lists %zu of the %zu runs", host_.flash.page.profiles.size(), runs));

    host_.flash.page.extractFiles = 0;  // "ZR Archive"
    int extracted = 0;
    uint64_t extractedRecords = 0;
    ExtractionMemory memory;
    host_.flash.extractRun = [&](const fs::path& runFile, int choice) {
      ExtractionRequest request{runFile, folder_, choice, false, nullptr};
      const ExtractionReport report = ExtractRun(request, memory, person_);
      if (report.Failed() || report.Damaged() || !report.failedOutputs.empty()) {
        std::printf("extraction: %s\n", report.Describe().c_str());
      } else {
        ++extracted;
      }
      extractedRecords += report.records;
    };
    std::vector<int> lines;
    for (size_t i = 0; i < runs; ++i) lines.push_back(static_cast<int>(i));
    BTUploadClick(host_.flash, lines, [this](const std::string& name) { return (folder_ / name).string(); });
    const int64_t uploadStartMs = nowMs_;
    const int64_t limit = nowMs_ + 12 * kHourMs;
    while (host_.flash.upload.runsToUpload > 0 && nowMs_ < limit) Step();
    checks_.Check(host_.flash.upload.runsToUpload == 0, "the upload finished");
    uint64_t runBytes = 0;
    for (const auto& run : logger_->flash().Runs()) runBytes += run.bytes.size();
    std::printf("figure: %zu runs, %llu KB, uploaded in %.1f simulated minutes\n", runs,
                static_cast<unsigned long long>(runBytes / 1024),
                static_cast<double>(nowMs_ - uploadStartMs) / 60'000.0);

    size_t exact = 0;
    for (size_t i = 0; i < runs; ++i) {
      std::ifstream in(folder_ / Format("run.%03zu", i + 1), std::ios::binary);
      const std::string got(std::istreambuf_iterator<char>(in), {});
      const sim::Bytes& stored = logger_->flash().Runs()[i].bytes;
      exact += got == std::string(stored.begin(), stored.end());
    }
    checks_.Check(exact == runs, Format("%zu of %zu run files byte for byte equal to the logger's", exact, runs));
    checks_.Check(extracted == static_cast<int>(runs),
                  Format("%d of %zu runs extracted whole, undamaged (%llu records)", extracted, runs,
                         static_cast<unsigned long long>(extractedRecords)));
    DrainBoxes();
    checks_.Check(otherBoxes_ == 0, Format("%lld \"Mux ID Error\" boxes for senders beyond 4, %lld other boxes",
                                           static_cast<long long>(muxBoxes_), static_cast<long long>(otherBoxes_)));
  }

  // Counts the boxes shown so far and forgets them, so that the cruise's own record of
  // them does not grow with its length.
  void DrainBoxes() {
    for (const auto& box : person_.boxes) {
      if (box.caption == "Mux ID Error") {
        ++muxBoxes_;
      } else {
        ++otherBoxes_;
        std::printf("box: %s: %s\n", box.caption.c_str(), box.text.c_str());
      }
    }
    person_.boxes.clear();
  }

  void RunFor(int64_t ms) {
    for (const int64_t end = nowMs_ + ms; nowMs_ < end;) Step();
  }

  double hours_;
  Checks& checks_;
  test::FakeClock clock_;
  test::FakeOperator person_;
  std::shared_ptr<sim::LoggerModel> logger_;
  HostState host_;
  DeliveryLedger ledger_;
  Digest accepted_;
  fs::path folder_;
  int64_t nowMs_ = 0;
  int64_t timeoutDueMs_ = -1;
  int64_t lastChangeMs_ = 0;
  bool understood_ = true;
  int faultTurns_ = 0;
  int lineChanges_ = 0;
  int64_t muxBoxes_ = 0;
  int64_t otherBoxes_ = 0;
  long residentAfterFirstHourKb_ = 0;
  long residentAtEndKb_ = 0;
};

}  // namespace
}  // namespace ql::soak

int main(int argc, char** argv) {
  const double hours = argc > 1 ? std::atof(argv[1]) : 24.0;
  const long long seed = argc > 2 ? std::atoll(argv[2]) : 1;
  if (!(hours > 0) || hours > 24 * 30 || seed < 1 || argc > 3) {
    std::fprintf(stderr,
                 "usage: soak [HOURS [SEED]]   simulated hours of live data, default 24; the simulated\n"
                 "                             logger's random seed, default 1\n");
    return 2;
  }
  ql::soak::Checks checks;
  ql::soak::Cruise(hours, static_cast<uint64_t>(seed), checks).Run();
  // The unattended recorder for a week to each day of the cruise.
  ql::soak::RecorderWeek(7 * hours, static_cast<uint64_t>(seed), checks).Run();
  std::printf("%d passed, %d failed\n", checks.passed, checks.failed);
  return checks.failed == 0 ? 0 : 1;
}
