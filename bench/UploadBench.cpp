// Upload of a 16 MB run from the simulated logger, in process and without line pacing:
// the processor time the host spends per MB (its fast ticks reading, checking,
// acknowledging and writing the blocks, and its one-second ticks), against the time a
// MB takes on a 115200-baud line. The goal: the host is never what holds an upload up.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>

#include "common/Clock.h"
#include "common/SilentOperator.h"
#include "cycle/Cycle.h"
#include "cycle/HostState.h"
#include "flash/LoggerDirectory.h"
#include "flash/RunUpload.h"
#include "loggersim/LoggerModel.h"
#include "loggersim/SimulatedSerialDevice.h"

namespace {

constexpr size_t kRunBytes = size_t{16} << 20;
constexpr double kLineBytesPerSecond = 115200.0 / 10.0;  // 8 data bits, start and stop bit
constexpr int kStepMs = 5;

class FixedClock : public ql::Clock {
 public:
  Now ReadNow() override { return {1'765'000'000 + ms_ / 1000, static_cast<int>(ms_ % 1000)}; }
  int64_t ZoneOffsetSeconds() override { return 0; }
  bool IsDaylightSaving(int64_t) override { return false; }
  void Advance(int ms) { ms_ += ms; }

 private:
  int64_t ms_ = 0;
};

// Processor time of the calls it wraps, summed.
struct HostTime {
  double seconds = 0;
  template <typename Work>
  void Measure(Work&& work) {
    const std::clock_t start = std::clock();
    work();
    seconds += static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  }
};

}  // namespace

int main() {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / "ql9-upload-bench";
  fs::remove_all(folder);
  fs::create_directories(folder);

  ql::sim::LoggerModel::Options options;
  options.sampling = false;
  options.line.baud = 115200;
  auto logger = std::make_shared<ql::sim::LoggerModel>(options);
  ql::sim::SampleRunOptions run;
  run.runNumber = 1;
  run.atLeastBytes = kRunBytes;
  ql::sim::SampleRun sample = ql::sim::BuildSampleRun(run);
  const size_t runBytes = sample.bytes.size();
  logger->flash().SetRuns({{std::move(sample.bytes), sample.summary, std::nullopt}});

  FixedClock clock;
  ql::SilentOperator person;
  ql::HostState host(ql::sim::SimulatedFactory(logger), clock, person);
  host.ports.ConfigurePort(0, 1, 11);  // COM1 at 115200
  host.flash.extractRun = nullptr;      // the upload alone
  host.flash.page.extractFiles = 0;

  HostTime hostTime;
  int64_t nowMs = 0;
  int blocks = 0;
  auto step = [&] {
    nowMs += kStepMs;
    clock.Advance(kStepMs);
    logger->Advance(kStepMs);
    const int64_t before = host.receiver.Counters().packetsRecognised;
    hostTime.Measure([&] { ql::Timer10msTimer(host); });
    blocks += static_cast<int>(host.receiver.Counters().packetsRecognised - before);
    if (nowMs % 1000 == 0) {
      hostTime.Measure([&] {
        ql::Timer475msTimer(host);
        ql::Timer1000msTimer(host);
      });
    }
  };

  for (int i = 0; i < 2000 / kStepMs; ++i) step();  // a status, then the directory
  ql::BTGetDirectoryClick(host.flash, host.statusMemory.loggerState, host.statusMemory.loggerName);
  for (int i = 0; i < 1000 / kStepMs; ++i) step();
  ql::BTUploadClick(host.flash, {0}, [&](const std::string& name) { return (folder / name).string(); });

  hostTime = {};
  blocks = 0;
  const auto wallStart = std::chrono::steady_clock::now();
  const std::clock_t cpuStart = std::clock();
  while (host.flash.upload.runsToUpload != 0 && nowMs < 3'600'000) step();
  const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();

  const double megabytes = static_cast<double>(runBytes) / (1 << 20);
  const bool whole = fs::file_size(folder / "run.001") == runBytes;
  const double lineSecondsPerMb = (1 << 20) / kLineBytesPerSecond;
  std::printf("run file                 %8.2f MB in %d packets, %s\n", megabytes, blocks,
              whole ? "arrived whole" : "ARRIVED SHORT");
  std::printf("host processor time      %8.1f ms per MB (%.2f s in all)\n", 1000 * hostTime.seconds / megabytes,
              hostTime.seconds);
  std::printf("simulated logger's time  %8.1f ms per MB\n", 1000 * (cpu - hostTime.seconds) / megabytes);
  std::printf("elapsed                  %8.2f s (%.1f MB/s)\n", wall, megabytes / wall);
  std::printf("115200-baud line         %8.1f s per MB: the host needs %.2f %% of it\n", lineSecondsPerMb,
              100 * hostTime.seconds / megabytes / lineSecondsPerMb);
  fs::remove_all(folder);
  return whole ? 0 : 1;
}
