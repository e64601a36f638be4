// Processor time of the running program at the full line rate with the plot page hidden
// and shown, side by side in one run: the main window (offscreen, Advanced User mode),
// a CTD on port 1 of logger 2 sending "T=... C=... P=..." lines at 115200 baud (about
// 170 records a second) and a status each second, battery volts and T, C and P plotted.
// Ticks are driven in simulated time and the event loop runs after each, so whatever
// changed is painted. The page redraws four times a simulated second while shown, as
// its timer does; a third column redraws it after every tick, for comparison.
#include <QApplication>
#include <QChartView>
#include <QLineSeries>
#include <QCheckBox>
#include <QComboBox>
#include <QTabWidget>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "BenchLine.h"
#include "common/Format.h"
#include "common/SilentOperator.h"
#include "cycle/HostModes.h"
#include "hostmain/HostWindows.h"
#include "hostmain/PlotPage.h"
#include "support/FakeClock.h"

namespace {

using ql::bench::BenchLine;
using ql::bench::NumberedStream;

constexpr int kSecondsPerPhase = 20;
constexpr int kTicksPerSecond = 200;
constexpr int kTicksPerRedraw = 50;  // the page's own 250 ms
constexpr int kRecordsPerSecond = 170;

enum class Redraws { None, Paced, EveryTick };

struct Phase {
  const char* name;
  double cpuPercent = 0;
  int linesDrawn = 0;  // series on the chart at the end, and their points
  int pointsDrawn = 0;
};

class Bench {
 public:
  Bench(BenchLine& line, const std::filesystem::path& dir)
      : line_(line), windows_(ql::CreateHostWindows(ql::bench::BenchFactory(line), clock_, person_, dir)) {
    // The ticks and redraws come from here, in simulated time, not from the timers.
    for (QTimer* timer : windows_.form1->findChildren<QTimer*>()) timer->stop();
    windows_.form1->ModesMenuClick(ql::kAdvancedUser);
    Choose("LoggerSetupCB", 11);
    Choose("LoggerPortCB", 1);
    windows_.form1->show();
    ShowTab("TSRealTime");
  }

  // The CTD's series are offered once its lines have come in and the page has been
  // drawn; T, C and P are chosen beside the battery volts.
  void ChooseSeries() {
    for (const char* name : {"Plot T", "Plot C", "Plot P"}) {
      if (auto* box = windows_.form1->findChild<QCheckBox*>(name)) box->setChecked(true);
    }
  }

  void ShowTab(const char* page) {
    auto* tabs = windows_.form1->findChild<QTabWidget*>("Tabs");
    tabs->setCurrentWidget(windows_.form1->findChild<QWidget*>(page));
    QApplication::processEvents();
    for (QTimer* timer : windows_.form1->findChildren<QTimer*>()) timer->stop();
  }

  Phase Run(const char* name, Redraws redraws) {
    ql::PlotPage* plot = windows_.form1->findChild<ql::PlotPage*>("PlotPage");
    const std::clock_t start = std::clock();
    for (int second = 0; second < kSecondsPerPhase; ++second) {
      for (int tick = 0; tick < kTicksPerSecond; ++tick) {
        ++ticks_;
        clock_.AdvanceMs(5);
        line_.ArriveUpTo(static_cast<size_t>(static_cast<double>(ticks_) * 0.005 * ql::bench::kLineBytesPerSecond));
        windows_.form1->Timer10msTimer();
        if (redraws == Redraws::EveryTick || (redraws == Redraws::Paced && ticks_ % kTicksPerRedraw == 0)) {
          plot->Redraw();
        }
        QApplication::processEvents();
      }
      windows_.form1->Timer475msTimer();
      windows_.form1->Timer1000msTimer();
      QApplication::processEvents();
    }
    const double cpu = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    Phase phase{name, cpu * 100.0 / kSecondsPerPhase};
    for (QAbstractSeries* series : windows_.form1->findChild<QChartView*>("PlotChart")->chart()->series()) {
      ++phase.linesDrawn;
      phase.pointsDrawn += static_cast<int>(static_cast<QLineSeries*>(series)->count());
    }
    return phase;
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
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "ql9host-bench-plot";
  std::filesystem::create_directories(dir);

  NumberedStream stream;
  for (int second = 0; second < 3 * kSecondsPerPhase + 5; ++second) {
    stream.Status();
    for (int i = 0; i < kRecordsPerSecond; ++i) {
      const double t = second + i / static_cast<double>(kRecordsPerSecond);
      ql::sim::DataRecordFields fields;
      fields.sender = 2;
      fields.sequence = static_cast<uint8_t>(stream.dataEnds.size());
      fields.sources[0] = ql::Format("T=%.3f C=%.3f P=%.1f\r\n", 12 + std::sin(t / 30), 35 + std::sin(t / 50),
                                     100 + 5 * std::sin(t / 20));
      stream.Append(ql::sim::BuildDataPacket(fields));
      stream.dataEnds.push_back(stream.bytes.size());
    }
  }
  BenchLine line{stream.bytes};
  Bench bench(line, dir);
  const Phase hidden = bench.Run("plot page hidden", Redraws::None);
  bench.ShowTab("TSPlotSetup");
  bench.ChooseSeries();
  const Phase shown = bench.Run("shown, 4 redraws/s", Redraws::Paced);
  const Phase everyTick = bench.Run("shown, redrawn every tick", Redraws::EveryTick);
  std::filesystem::remove_all(dir);

  std::printf("CTD lines at 115200 baud (%d records/s), 4 series, %d s each, processor time of the whole program:\n",
              kRecordsPerSecond, kSecondsPerPhase);
  for (const Phase& p : {hidden, shown, everyTick}) std::printf("  %-26s", p.name);
  std::printf("\n");
  for (const Phase& p : {hidden, shown, everyTick}) std::printf("  %5.2f %% of a core         ", p.cpuPercent);
  std::printf("\n");
  for (const Phase& p : {hidden, shown, everyTick}) std::printf("  %d lines, %5d points      ", p.linesDrawn, p.pointsDrawn);
  std::printf("\n");
  return 0;
}
