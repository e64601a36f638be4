#include "ClockJob.h"

#include "HeadlessHost.h"
#include "common/Format.h"
#include "loggertools/ClockSync.h"

namespace ql {

Job::Outcome ClockJob::Poll(HeadlessHost& host) {
  const Outcome got = gate_.Poll(host, error_);
  if (got != Outcome::kDone) return got;
  const StatusReport report = *gate_.Report();
  gate_ = StatusGate(timeoutMs_);
  return NextStatus(host, report);
}

Job::Outcome ClockJob::NextStatus(HeadlessHost& host, const StatusReport& report) {
  ClockSync& sync = host.State().clockSync;
  if (!before_) {
    before_ = report;
    if (!sync_) return Outcome::kDone;
  } else if (!setSent_) {
    // The status that carried the request out: the logger's answer shows from the next.
    setSent_ = !sync.syncNow;
    return Outcome::kRunning;
  } else if (report.driftSeconds >= -kClockTolerance && report.driftSeconds <= kClockTolerance) {
    after_ = report;
    return Outcome::kDone;
  } else if (attempts_ >= kAttempts) {
    after_ = report;
    return Fail(Format("the logger clock is still %lld s off after %d settings",
                       static_cast<long long>(report.driftSeconds), attempts_));
  }
  attempts_ += 1;
  setSent_ = false;
  MenuUpdateTimeNowClick(sync);
  return Outcome::kRunning;
}

}  // namespace ql
