#pragma once

#include <functional>
#include <string>

#include "Job.h"

namespace ql {

class HeadlessHost;

// Works one job off on the host: the ticks come from outside (QTimers, or a test's
// simulated clock); after each one the driver polls the job and hands on what the
// operator was told. Once the job has ended it is polled no more.
class JobDriver {
 public:
  using MessageSink = std::function<void(const std::string&)>;

  JobDriver(HeadlessHost& host, Job& job, MessageSink messages)
      : host_(host), job_(job), messages_(std::move(messages)) {}

  void FastTick();
  void SecondTick();
  void TimeoutTick();
  // SIGINT or SIGTERM.
  void Interrupt();

  bool Finished() const { return outcome_ != Job::Outcome::kRunning; }
  Job::Outcome Outcome() const { return outcome_; }

 private:
  void AfterTick();
  void PassMessages();

  HeadlessHost& host_;
  Job& job_;
  MessageSink messages_;
  Job::Outcome outcome_ = Job::Outcome::kRunning;
};

}  // namespace ql
