// Processor time of the running program at the full line rate with the statistics
// window closed and open, side by side in one run: the main window and its dialogs
// (offscreen), 36-byte data packets at 115200 baud (a new packet count on nearly every
// 5 ms tick), ticks driven in simulated time and the event loop run after each so that
// whatever changed is painted. A third column redraws the window after every tick, as
// the program did before its lines were refreshed at display rate.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <cstdio>
#include <filesystem>

#include "WindowBench.h"

namespace {

using ql::bench::BenchLine;
using ql::bench::NumberedStream;

constexpr int kSecondsPerPhase = 20;

struct Phase {
  const char* name;
  double cpuPercent = 0;
  int line5UpdatesPerSecond = 0;
};

class Bench {
 public:
  Bench(BenchLine& line, const std::filesystem::path& dir) : window_(line, dir) {
    window_.Choose("LoggerSetupCB", 11);
    window_.Choose("LoggerPortCB", 1);
  }

  void OpenStatistics() {
    window_.form().findChild<QAction*>("HostPortStats")->trigger();
    window_.StopTimers();
  }

  Phase Run(const char* name, bool redrawEveryTick) {
    auto& stats = *window_.windows().statsForm;
    QLabel* packetCount = stats.findChild<QLabel*>("SFLB5");
    QString shown = packetCount->text();
    int redraws = 0;
    const double cpu = window_.Run(kSecondsPerPhase, [&](int64_t) {
      if (redrawEveryTick) stats.Sync();
      if (packetCount->text() != shown) ++redraws;
      shown = packetCount->text();
    });
    return {name, cpu, redraws / kSecondsPerPhase};
  }

 private:
  ql::bench::WindowBench window_;
};

}  // namespace

int main(int argc, char** argv) {
  ql::bench::OffscreenApp app(argc, argv, "ql9host-bench-stats");

  NumberedStream stream;
  const int packets = 3 * kSecondsPerPhase * static_cast<int>(ql::bench::kLineBytesPerSecond) / 36 + 1000;
  for (int i = 0; i < packets; ++i) stream.Data(0);
  BenchLine line{stream.bytes};
  Bench bench(line, app.dir);
  const Phase closed = bench.Run("window closed", false);
  bench.OpenStatistics();
  const Phase open = bench.Run("window open", false);
  const Phase everyTick = bench.Run("open, redrawn every tick", true);

  std::printf("36-byte packets at 115200 baud, %d s each, processor time of the whole program:\n", kSecondsPerPhase);
  for (const Phase& p : {closed, open, everyTick}) std::printf("  %-26s", p.name);
  std::printf("\n");
  for (const Phase& p : {closed, open, everyTick}) std::printf("  %5.2f %% of a core         ", p.cpuPercent);
  std::printf("\n");
  for (const Phase& p : {closed, open, everyTick}) std::printf("  %3d updates of line 5 /s   ", p.line5UpdatesPerSecond);
  std::printf("\n");
  return 0;
}
