#pragma once

#include <cstdint>
#include <string>

namespace ql {

class HeadlessHost;

// One thing the command line asks of the logger, worked off tick by tick: after every
// tick of the host the runner polls the job until it is done or has failed.
class Job {
 public:
  enum class Outcome { kRunning, kDone, kFailed };

  virtual ~Job() = default;
  virtual Outcome Poll(HeadlessHost& host) = 0;
  // The program was told to stop (SIGINT, SIGTERM).
  virtual Outcome Interrupt() { return Fail("interrupted"); }

  // Why it failed, in one line.
  const std::string& Error() const { return error_; }
  // The failure lies in what the command line asked, not in the logger.
  bool RefusedInput() const { return refusedInput_; }

 protected:
  Outcome Fail(std::string why) {
    error_ = std::move(why);
    return Outcome::kFailed;
  }

  std::string error_;
  bool refusedInput_ = false;
};

// A wait with a limit on the host's clock; armed on its first check.
class Deadline {
 public:
  explicit Deadline(int64_t limitMs) : limitMs_(limitMs) {}
  void Restart(int64_t nowMs) { endMs_ = nowMs + limitMs_; }
  bool Passed(int64_t nowMs) {
    if (endMs_ < 0) Restart(nowMs);
    return nowMs >= endMs_;
  }
  int64_t LimitMs() const { return limitMs_; }

 private:
  int64_t limitMs_;
  int64_t endMs_ = -1;
};

}  // namespace ql
