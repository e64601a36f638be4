// Processor time of the running program at the full line rate with the statistics
// window closed and open, side by side in one run: the main window and its dialogs
// (offscreen), 36-byte data packets at 115200 baud (a new packet count on nearly every
// 5 ms tick), ticks driven in simulated time and the event loop run after each so that
// whatever changed is painted. A third column redraws the window after every tick, as
// the program did before its lines were refreshed at display rate.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "BenchLine.h"
#include "common/SilentOperator.h"
#include "hostmain/HostWindows.h"
#include "support/FakeClock.h"

namespace {

using ql::bench::BenchLine;
using ql::bench::NumberedStream;

constexpr int kSecondsPerPhase = 20;
constexpr int kTicksPerSecond = 200;

struct Phase {
  const char* name;
  double cpuPercent = 0;
  int line5UpdatesPerSecond = 0;
};

class Bench {
 public:
  Bench(BenchLine& line, const std::filesystem::path& dir)
      : line_(line), windows_(ql::CreateHostWindows(ql::bench::BenchFactory(line), clock_, person_, dir)) {
    // The ticks come from here, in simulated time, not from the window's timers.
    for (QTimer* timer : windows_.form1->findChildren<QTimer*>()) timer->stop();
    Choose("LoggerSetupCB", 11);
    Choose("LoggerPortCB", 1);
  }

  void OpenStatistics() { windows_.form1->findChild<QAction*>("HostPortStats")->trigger(); }

  Phase Run(const char* name, bool redrawEveryTick) {
    QLabel* packetCount = windows_.statsForm->findChild<QLabel*>("SFLB5");
    QString shown = packetCount->text();
    int redraws = 0;
    const std::clock_t start = std::clock();
    for (int second = 0; second < kSecondsPerPhase; ++second) {
      for (int tick = 0; tick < kTicksPerSecond; ++tick) {
        ++ticks_;
        clock_.AdvanceMs(5);
        line_.ArriveUpTo(static_cast<size_t>(static_cast<double>(ticks_) * 0.005 * ql::bench::kLineBytesPerSecond));
        windows_.form1->Timer10msTimer();
        if (redrawEveryTick) windows_.statsForm->Sync();
        QApplication::processEvents();
        if (packetCount->text() != shown) ++redraws;
        shown = packetCount->text();
      }
      windows_.form1->Timer475msTimer();
      windows_.form1->Timer1000msTimer();
      QApplication::processEvents();
    }
    const double cpu = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    return {name, cpu * 100.0 / kSecondsPerPhase, redraws / kSecondsPerPhase};
  }

 private:
  void Choose(const char* name, int index) {
    auto* combo = windows_.form1->findChild<QComboBox*>(name);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
  }

  BenchLine& line_;
  ql::test::FakeClock clock_;
  ql::SilentOperator person_;
  ql::HostWindows windows_;
  int64_t ticks_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "ql9host-bench-stats";
  std::filesystem::create_directories(dir);

  NumberedStream stream;
  const int packets = 3 * kSecondsPerPhase * static_cast<int>(ql::bench::kLineBytesPerSecond) / 36 + 1000;
  for (int i = 0; i < packets; ++i) stream.Data(0);
  BenchLine line{stream.bytes};
  Bench bench(line, dir);
  const Phase closed = bench.Run("window closed", false);
  bench.OpenStatistics();
  const Phase open = bench.Run("window open", false);
  const Phase everyTick = bench.Run("open, redrawn every tick", true);
  std::filesystem::remove_all(dir);

  std::printf("36-byte packets at 115200 baud, %d s each, processor time of the whole program:\n", kSecondsPerPhase);
  for (const Phase& p : {closed, open, everyTick}) std::printf("  %-26s", p.name);
  std::printf("\n");
  for (const Phase& p : {closed, open, everyTick}) std::printf("  %5.2f %% of a core         ", p.cpuPercent);
  std::printf("\n");
  for (const Phase& p : {closed, open, everyTick}) std::printf("  %3d updates of line 5 /s   ", p.line5UpdatesPerSecond);
  std::printf("\n");
  return 0;
}
