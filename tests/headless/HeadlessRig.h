#pragma once

#include <memory>

#include "headless/HeadlessHost.h"
#include "headless/JobDriver.h"
#include "loggersim/LoggerModel.h"
#include "loggersim/SimulatedSerialDevice.h"
#include "support/FakeClock.h"

namespace ql::test {

// The host without a window and a simulated logger in one process, their clocks moving
// together in 5 ms steps under the test's control; the host's timers fire as the
// program's do (TTimeout only while the upload asks for it, its period started afresh).
struct HeadlessRig {
  FakeClock clock;
  std::shared_ptr<sim::LoggerModel> logger;
  HeadlessHost host;
  int64_t nowMs = 0;
  int64_t timeoutDueMs = -1;
  int64_t limitMs = 30 * 60 * 1000;  // a job still running after this much simulated time fails the test

  explicit HeadlessRig(sim::LoggerModel::Options options = {})
      : logger(std::make_shared<sim::LoggerModel>(WithClock(options))), host(sim::SimulatedFactory(logger), clock) {}

  sim::LoggerModel::Options WithClock(sim::LoggerModel::Options options) {
    options.clockSeconds = clock.utcMillis / 1000;
    return options;
  }

  void Step(JobDriver& driver) {
    nowMs += 5;
    logger->Advance(5);
    clock.AdvanceMs(5);
    driver.FastTick();
    if (nowMs % 1000 == 0) driver.SecondTick();
    if (!host.TimeoutRunning()) {
      timeoutDueMs = -1;
    } else if (timeoutDueMs < 0) {
      timeoutDueMs = nowMs + 1500;
    } else if (nowMs >= timeoutDueMs) {
      timeoutDueMs += 1500;
      driver.TimeoutTick();
    }
  }

  Job::Outcome Run(JobDriver& driver) {
    for (const int64_t end = nowMs + limitMs; !driver.Finished() && nowMs < end;) Step(driver);
    return driver.Outcome();
  }

  int Heard(sim::HostMessage::Kind kind, uint16_t code = 0) const {
    int n = 0;
    for (const auto& m : logger->Heard()) n += m.kind == kind && (kind != sim::HostMessage::Kind::Command || m.code == code);
    return n;
  }
};

}  // namespace ql::test
