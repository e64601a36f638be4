#include "StatusJob.h"

#include "HeadlessHost.h"
#include "common/Format.h"

namespace ql {

std::string NoStatusText(int64_t timeoutMs) {
  return Format("no status from the logger within %lld s", static_cast<long long>((timeoutMs + 999) / 1000));
}

Job::Outcome StatusGate::Poll(HeadlessHost& host, std::string& error) {
  if (report_) return Job::Outcome::kDone;
  report_ = host.TakeStatus();
  if (report_) return Job::Outcome::kDone;
  if (!deadline_.Passed(host.NowMs())) return Job::Outcome::kRunning;
  error = NoStatusText(deadline_.LimitMs());
  return Job::Outcome::kFailed;
}

Job::Outcome StatusJob::Poll(HeadlessHost& host) {
  const Outcome outcome = gate_.Poll(host, error_);
  if (outcome != Outcome::kDone) return outcome;
  sink_(*gate_.Report());
  if (!watch_) return Outcome::kDone;
  gate_ = StatusGate(timeoutMs_);
  return Outcome::kRunning;
}

}  // namespace ql
