#pragma once

#include "JobDriver.h"

namespace ql {

// Runs a job with the window's timers on the program's event loop (a QCoreApplication
// must exist): 5 ms, one second, and the 1.5 s upload timeout while the upload asks
// for it. SIGINT and SIGTERM interrupt the job. Returns when the job has ended.
Job::Outcome RunWithTimers(HeadlessHost& host, JobDriver& driver);

}  // namespace ql
