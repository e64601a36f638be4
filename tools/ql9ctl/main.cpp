// ql9ctl: the QL-9 logger from the command line, on the window's own core and ticks.

#include <unistd.h>

#include <csignal>

#include <QCoreApplication>
#include <iostream>
#include <memory>

#include "Execute.h"
#include "app/SystemClock.h"
#include "headless/QtJobRunner.h"
#include "serial/QtSerialDevice.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const ql9ctl::Parsed parsed = ql9ctl::ParseOptions(args);
  if (parsed.outcome == ql9ctl::Parsed::Outcome::kShowText) {
    std::cout << parsed.text;
    return ql9ctl::kExitDone;
  }
  if (parsed.outcome == ql9ctl::Parsed::Outcome::kRefuse) {
    std::cerr << "ql9ctl: " << parsed.text << "\n";
    return ql9ctl::kExitUsage;
  }
  // A file-size limit (a unit's LimitFSIZE) then fails a write as a full disk does,
  // which the recorder reports and recovers from, instead of ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
  QCoreApplication app(argc, argv);
  ql::SystemClock clock;
  ql::HeadlessHost host([] { return std::make_unique<ql::QtSerialDevice>(); }, clock);
  const ql9ctl::RunJob run = [&host](ql::JobDriver& driver) { return ql::RunWithTimers(host, driver); };
  return ql9ctl::Execute(parsed.options, host, run, {std::cout, std::cerr, isatty(STDERR_FILENO) == 1});
}
