#pragma once

#include <memory>

#include "cycle/Cycle.h"
#include "cycle/HostState.h"
#include "loggersim/LoggerModel.h"
#include "loggersim/SimulatedSerialDevice.h"
#include "support/FakeClock.h"
#include "support/FakeOperator.h"

namespace ql::test {

// A host and a simulated logger in one process, on COM1 at 9600 baud, with the host's
// clock and the logger's moving together under the test's control.
struct SimulatedHost {
  FakeClock clock;
  FakeOperator person;
  std::shared_ptr<sim::LoggerModel> logger;
  HostState host;

  explicit SimulatedHost(sim::LoggerModel::Options options = {})
      : logger(std::make_shared<sim::LoggerModel>(WithClock(options))),
        host(sim::SimulatedFactory(logger), clock, person) {
    host.ports.ConfigurePort(0, 1, 6);
    host.loggerPort.comIndex = 1;
  }

  sim::LoggerModel::Options WithClock(sim::LoggerModel::Options options) {
    options.clockSeconds = clock.utcMillis / 1000;
    return options;
  }

  // One second of both sides: the logger sends, the host reads and acts.
  void Second() {
    for (int i = 0; i < 20; ++i) {
      logger->Advance(50);
      clock.AdvanceMs(50);
      Timer10msTimer(host);
      Timer10msTimer(host);
    }
    Timer475msTimer(host);
    Timer1000msTimer(host);
  }
  void Seconds(int n) {
    for (int i = 0; i < n; ++i) Second();
  }
};

}  // namespace ql::test
