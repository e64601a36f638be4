// What the whole program costs while little or nothing happens, beside a bare Qt main
// window in the same run: the main window and its dialogs (offscreen) with their real
// timers, the system clock and a real serial port to the simulated logger behind a
// pseudo-terminal, in three states:
//   no port        no logger port chosen;
//   silent port    the logger port open at 115200 baud, the logger sending nothing;
//   line rate      the logger at 115200 baud, 170 data packets a second, with the Real
//                  Time Data page shown and the statistics window open.
// Each state runs for some seconds of wall time; its figure is the process's processor
// time over that wall time, as percent of one core. The simulated logger runs as its
// own program, so its work is not counted.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMainWindow>
#include <QProcess>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

#include "WindowBench.h"
#include "app/SystemClock.h"
#include "common/SilentOperator.h"
#include "cycle/HostModes.h"
#include "hostmain/HostWindows.h"
#include "serial/QtSerialDevice.h"

namespace {

constexpr int kDefaultSeconds = 10;
constexpr int kSettleMs = 1500;  // first paints and the port's first seconds are not counted
constexpr int kLineRatePackets = 170;
constexpr int kFastTickMs = 5;  // the main window's fast tick
constexpr double kIdleGoal = 0.5;
constexpr double kLineRateGoal = 2.0;

// Runs the event loop for `ms` of wall time.
void RunFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

// Percent of a core the process used over `seconds` of wall time with its timers running.
double CorePercent(int seconds) {
  RunFor(kSettleMs);
  QElapsedTimer wall;
  wall.start();
  const std::clock_t start = std::clock();
  RunFor(seconds * 1000);
  const double cpuSeconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  return cpuSeconds * 100.0 / (static_cast<double>(wall.nsecsElapsed()) / 1e9);
}

// The simulated logger program on its pseudo-terminal, COM 1 in the bench's
// comports.txt, told what to do through its standard input.
class SimulatedLogger {
 public:
  explicit SimulatedLogger(const std::filesystem::path& dir) {
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QL_LOGGERSIM, {"--stdin-commands", "--baud", "115200", "--rate", QString::number(kLineRatePackets),
                                  "--silent", "--comports", QString::fromStdString((dir / "comports.txt").string())});
    if (!process_.waitForStarted(5000) || !process_.waitForReadyRead(5000)) {
      std::fprintf(stderr, "the simulated logger did not start: %s\n", qPrintable(process_.errorString()));
      std::exit(1);
    }
    process_.readLine();  // the terminal's path, already in comports.txt
  }
  ~SimulatedLogger() {
    Command("quit");
    if (!process_.waitForFinished(3000)) process_.kill();
  }
  void Command(const char* line) {
    process_.write(line);
    process_.write("\n");
    process_.waitForBytesWritten(1000);
  }

 private:
  QProcess process_;
};

struct Figure {
  const char* name;
  double percent = 0;
};

}  // namespace

int main(int argc, char** argv) {
  ql::bench::OffscreenApp app(argc, argv, "ql9host-bench-idle");
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultSeconds;
  SimulatedLogger logger(app.dir);

  Figure bare{"bare Qt main window"};
  Figure floor{"bare, empty 5 ms timer"};
  {
    QMainWindow window;
    window.resize(1200, 680);
    window.show();
    bare.percent = CorePercent(seconds);
    // What waking every 5 ms costs by itself on this machine: the least the fast tick
    // can cost, whatever it does.
    QTimer fastTick;
    fastTick.setInterval(kFastTickMs);
    fastTick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&fastTick, &QTimer::timeout, [] {});
    fastTick.start();
    floor.percent = CorePercent(seconds);
  }

  ql::SilentOperator person;
  ql::SystemClock clock;
  ql::HostWindows windows = ql::CreateHostWindows([] { return std::make_unique<ql::QtSerialDevice>(); }, clock, person,
                                                  app.dir);
  ql::TForm1& form = *windows.form1;
  ql::HostState& host = form.Host();
  form.show();
  Figure noPort{"no port"};
  noPort.percent = CorePercent(seconds);

  ql::bench::Choose(form, "LoggerSetupCB", 11);
  ql::bench::Choose(form, "LoggerPortCB", 1);
  Figure silent{"silent port"};
  silent.percent = CorePercent(seconds);
  const uint32_t bytesWhileSilent = host.receiver.Counters().totalInput;

  form.ModesMenuClick(ql::kRealTimeData);
  form.findChild<QTabWidget*>("Tabs")->setCurrentWidget(form.findChild<QWidget*>("TSRealTime"));
  form.findChild<QAction*>("HostPortStats")->trigger();
  logger.Command("silent off");
  RunFor(kSettleMs);
  const uint32_t packetsBefore = host.receiver.Counters().packetsRecognised;
  Figure lineRate{"line rate"};
  lineRate.percent = CorePercent(seconds);
  const double packetsPerSecond =
      static_cast<double>(host.receiver.Counters().packetsRecognised - packetsBefore) / (seconds + kSettleMs / 1000.0);

  std::printf("Processor time of the whole program, %d s per state, percent of one core:\n", seconds);
  std::printf("  %-24s %6.2f %%\n", bare.name, bare.percent);
  std::printf("  %-24s %6.2f %%   (%+.2f %% beside the bare window)\n", floor.name, floor.percent,
              floor.percent - bare.percent);
  for (const Figure& f : {noPort, silent, lineRate}) {
    std::printf("  %-24s %6.2f %%   (%+.2f %% beside the bare window, %+.2f %% beside the empty timer)\n", f.name,
                f.percent, f.percent - bare.percent, f.percent - floor.percent);
  }
  std::printf("Goal: no port and silent port within %.1f %% of the bare window; line rate at most %.1f %%.\n",
              kIdleGoal, kLineRateGoal);
  std::printf("Line rate: %.0f packets recognised a second (%d sent); silent port: %u bytes received.\n",
              packetsPerSecond, kLineRatePackets, bytesWhileSilent);
  return 0;
}
