#pragma once

// The whole program's windows (offscreen) over a bench line, for the benchmarks of what
// the window costs: the ticks come from here in simulated time, not from the window's
// timers, and the event loop runs after each so that whatever changed is painted.

#include <QApplication>
#include <QComboBox>
#include <QTimer>
#include <ctime>
#include <filesystem>
#include <functional>

#include "BenchLine.h"
#include "common/SilentOperator.h"
#include "hostmain/HostWindows.h"
#include "support/FakeClock.h"

namespace ql::bench {

// The application, offscreen unless told otherwise, and a scratch start folder that
// goes when the benchmark ends.
struct OffscreenApp {
  static char** Offscreen(char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return argv;
  }
  OffscreenApp(int& argc, char** argv, const char* name)
      : app(argc, Offscreen(argv)), dir(std::filesystem::temp_directory_path() / name) {
    std::filesystem::create_directories(dir);
  }
  ~OffscreenApp() { std::filesystem::remove_all(dir); }

  QApplication app;
  std::filesystem::path dir;
};

// The operator picks an item of one of the main window's combo boxes.
inline void Choose(TForm1& form, const char* name, int index) {
  auto* combo = form.findChild<QComboBox*>(name);
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

class WindowBench {
 public:
  static constexpr int kTicksPerSecond = 200;

  WindowBench(BenchLine& line, const std::filesystem::path& dir)
      : line_(line), windows_(CreateHostWindows(BenchFactory(line), clock_, person_, dir)) {
    StopTimers();
  }

  HostWindows& windows() { return windows_; }
  TForm1& form() { return *windows_.form1; }

  // A page shown or a dialog opened starts its own timers; the bench stops them again.
  void StopTimers() {
    for (QTimer* timer : windows_.form1->findChildren<QTimer*>()) timer->stop();
  }

  void Choose(const char* name, int index) { bench::Choose(*windows_.form1, name, index); }

  // Runs `seconds` simulated seconds: each 5 ms tick brings in what 115200 baud carries,
  // runs the fast tick and then `afterTick(tick)`, then the event loop; each second ends
  // with the slower ticks. Returns the share of a core the whole program used.
  double Run(int seconds, const std::function<void(int64_t tick)>& afterTick) {
    const std::clock_t start = std::clock();
    for (int second = 0; second < seconds; ++second) {
      for (int tick = 0; tick < kTicksPerSecond; ++tick) {
        ++ticks_;
        clock_.AdvanceMs(5);
        line_.ArriveUpTo(static_cast<size_t>(static_cast<double>(ticks_) * 0.005 * kLineBytesPerSecond));
        windows_.form1->Timer10msTimer();
        afterTick(ticks_);
        QApplication::processEvents();
      }
      windows_.form1->Timer475msTimer();
      windows_.form1->Timer1000msTimer();
      QApplication::processEvents();
    }
    return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC * 100.0 / seconds;
  }

 private:
  BenchLine& line_;
  test::FakeClock clock_;
  SilentOperator person_;
  HostWindows windows_;
  int64_t ticks_ = 0;
};

}  // namespace ql::bench
