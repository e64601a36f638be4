#pragma once

#include <optional>
#include <vector>

#include "StatusJob.h"
#include "SetupToml.h"

namespace ql {

// Asks the logger for its setup (Get Setup) once a status has shown it is there, and
// asks again when no setup came for a while: a request lost on a noisy line is not
// the end.
class SetupFetch {
 public:
  static constexpr int64_t kRepeatMs = 3000;

  explicit SetupFetch(int64_t timeoutMs) : gate_(timeoutMs), deadline_(timeoutMs) {}
  Job::Outcome Poll(HeadlessHost& host, std::string& error);
  const std::optional<SetupControls>& Setup() const { return setup_; }

 private:
  StatusGate gate_;
  Deadline deadline_;
  int64_t lastRequestMs_ = -1;
  std::optional<SetupControls> setup_;
};

// "setup get" and "setup diff": the logger's setup as the pages show it.
class SetupGetJob : public Job {
 public:
  explicit SetupGetJob(int64_t timeoutMs) : fetch_(timeoutMs) {}
  Outcome Poll(HeadlessHost& host) override { return fetch_.Poll(host, error_); }
  const SetupControls& Setup() const { return *fetch_.Setup(); }

 private:
  SetupFetch fetch_;
};

// "setup send": the logger's setup first (the record's reserved bytes go back as the
// logger holds them), then the file's values through Send Setup, then the setup the
// logger holds afterwards, compared field by field with what was sent.
class SetupSendJob : public Job {
 public:
  SetupSendJob(const SetupControls& wanted, int64_t timeoutMs)
      : wanted_(wanted), timeoutMs_(timeoutMs), before_(timeoutMs), after_(timeoutMs) {}
  Outcome Poll(HeadlessHost& host) override;

  // What Send Setup sent: the file's values with the host's own adjustments (analog
  // rate minimums, the meter's port 1 line, the time source).
  const SetupControls& Sent() const { return sent_; }
  // Where the host's adjustments changed the file's values (left: the file).
  const std::vector<SetupDifference>& Adjusted() const { return adjusted_; }
  // Where the logger's setup afterwards differs from what was sent (left: sent).
  const std::vector<SetupDifference>& Differences() const { return differences_; }

 private:
  Outcome Send(HeadlessHost& host);

  SetupControls wanted_;
  int64_t timeoutMs_;
  SetupFetch before_;
  SetupFetch after_;
  bool sentOnce_ = false;
  SetupControls sent_;
  std::vector<SetupDifference> adjusted_;
  std::vector<SetupDifference> differences_;
};

}  // namespace ql
