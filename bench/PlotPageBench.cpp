// Processor time of the running program at the full line rate with the plot page hidden
// and shown, side by side in one run: the main window (offscreen, Advanced User mode),
// a CTD on port 1 of logger 2 sending "T=... C=... P=..." lines at 115200 baud (about
// 170 records a second) and a status each second, battery volts and T, C and P plotted.
// Ticks are driven in simulated time and the event loop runs after each, so whatever
// changed is painted. The page redraws four times a simulated second while shown, as
// its timer does; a third column redraws it after every tick, for comparison.
#include <QApplication>
#include <QChartView>
#include <QCheckBox>
#include <QLineSeries>
#include <QTabWidget>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "WindowBench.h"
#include "common/Format.h"
#include "cycle/HostModes.h"
#include "hostmain/PlotPage.h"

namespace {

using ql::bench::BenchLine;
using ql::bench::NumberedStream;

constexpr int kSecondsPerPhase = 20;
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
  Bench(BenchLine& line, const std::filesystem::path& dir) : window_(line, dir) {
    window_.form().ModesMenuClick(ql::kAdvancedUser);
    window_.Choose("LoggerSetupCB", 11);
    window_.Choose("LoggerPortCB", 1);
    window_.form().show();
    ShowTab("TSRealTime");
  }

  // The CTD's series are offered once its lines have come in and the page has been
  // drawn; T, C and P are chosen beside the battery volts.
  void ChooseSeries() {
    for (const char* name : {"Plot T", "Plot C", "Plot P"}) {
      if (auto* box = window_.form().findChild<QCheckBox*>(name)) box->setChecked(true);
    }
  }

  void ShowTab(const char* page) {
    auto* tabs = window_.form().findChild<QTabWidget*>("Tabs");
    tabs->setCurrentWidget(window_.form().findChild<QWidget*>(page));
    QApplication::processEvents();
    window_.StopTimers();
  }

  Phase Run(const char* name, Redraws redraws) {
    ql::PlotPage* plot = window_.form().findChild<ql::PlotPage*>("PlotPage");
    Phase phase{name};
    phase.cpuPercent = window_.Run(kSecondsPerPhase, [&](int64_t tick) {
      if (redraws == Redraws::EveryTick || (redraws == Redraws::Paced && tick % kTicksPerRedraw == 0)) plot->Redraw();
    });
    for (QAbstractSeries* series : window_.form().findChild<QChartView*>("PlotChart")->chart()->series()) {
      ++phase.linesDrawn;
      phase.pointsDrawn += static_cast<int>(static_cast<QLineSeries*>(series)->count());
    }
    return phase;
  }

 private:
  ql::bench::WindowBench window_;
};

}  // namespace

int main(int argc, char** argv) {
  ql::bench::OffscreenApp app(argc, argv, "ql9host-bench-plot");

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
  Bench bench(line, app.dir);
  const Phase hidden = bench.Run("plot page hidden", Redraws::None);
  bench.ShowTab("TSPlotSetup");
  bench.ChooseSeries();
  const Phase shown = bench.Run("shown, 4 redraws/s", Redraws::Paced);
  const Phase everyTick = bench.Run("shown, redrawn every tick", Redraws::EveryTick);

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
