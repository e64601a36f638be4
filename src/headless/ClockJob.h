#pragma once

#include <optional>

#include "StatusJob.h"

namespace ql {

// "clock": the logger clock's drift from the PC. With `sync` the clock is set by the
// window's rule ("Synchronize Time Now": the PC's local time at the next status), and
// a later status must show it within the rule's tolerance; the set is tried again up
// to kAttempts times.
class ClockJob : public Job {
 public:
  static constexpr int kAttempts = 3;

  ClockJob(int64_t timeoutMs, bool sync) : timeoutMs_(timeoutMs), sync_(sync), gate_(timeoutMs) {}
  Outcome Poll(HeadlessHost& host) override;

  // The drift before any setting, and the one that confirmed it.
  const std::optional<StatusReport>& Before() const { return before_; }
  const std::optional<StatusReport>& After() const { return after_; }
  bool ClockSet() const { return attempts_ > 0; }

 private:
  Outcome NextStatus(HeadlessHost& host, const StatusReport& report);

  int64_t timeoutMs_;
  bool sync_;
  StatusGate gate_;
  int attempts_ = 0;
  bool setSent_ = false;  // the set went out with the status that asked for it
  std::optional<StatusReport> before_;
  std::optional<StatusReport> after_;
};

}  // namespace ql
