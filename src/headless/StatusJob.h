#pragma once

#include <functional>
#include <optional>

#include "Job.h"
#include "StatusReport.h"

namespace ql {

// Waits for the logger's next status; the logger is there once one came.
class StatusGate {
 public:
  explicit StatusGate(int64_t timeoutMs) : deadline_(timeoutMs) {}
  // kRunning until a status came (then kDone, and Report() holds it) or the limit
  // passed (kFailed, with the reason in `error`).
  Job::Outcome Poll(HeadlessHost& host, std::string& error);
  const std::optional<StatusReport>& Report() const { return report_; }

 private:
  Deadline deadline_;
  std::optional<StatusReport> report_;
};

// "status": the next status, or with `watch` every status until interrupted (a logger
// silent for the timeout fails the watch).
class StatusJob : public Job {
 public:
  using Sink = std::function<void(const StatusReport&)>;
  StatusJob(int64_t timeoutMs, bool watch, Sink sink) : timeoutMs_(timeoutMs), watch_(watch), sink_(std::move(sink)) {}

  Outcome Poll(HeadlessHost& host) override;
  Outcome Interrupt() override { return watch_ ? Outcome::kDone : Job::Interrupt(); }

 private:
  int64_t timeoutMs_;
  bool watch_;
  Sink sink_;
  StatusGate gate_{timeoutMs_};
};

// The failure text of a logger that sent no status.
std::string NoStatusText(int64_t timeoutMs);

}  // namespace ql
