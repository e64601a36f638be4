#pragma once

#include <functional>
#include <ostream>

#include "Ql9ctlOptions.h"
#include "headless/HeadlessHost.h"
#include "headless/JobDriver.h"

namespace ql9ctl {

// Exit statuses.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;  // the logger or the operation failed
inline constexpr int kExitUsage = 2;   // a command line (or setup file) it cannot use

// Runs a job to its end: the program with its timers, a test with a simulated clock.
using RunJob = std::function<ql::Job::Outcome(ql::JobDriver& driver)>;

struct Streams {
  std::ostream& out;  // results
  std::ostream& err;  // errors and notes, one line each, and upload progress
  bool errIsTerminal = false;
};

// Carries out one command line on the host: opens the logger port, runs the
// subcommand's job, prints its result. Returns the exit status.
int Execute(const Options& options, ql::HeadlessHost& host, const RunJob& run, Streams streams);

}  // namespace ql9ctl
