#pragma once

// A whole host over a bench line, with every per-packet output switched on: the
// parsed display of logger 2's port 1, a relay of it to deck port 1 and archive
// recording. Its fast tick is driven at the line's rate with the tests' fake clock.

#include <cstdint>
#include <string>

#include "BenchLine.h"
#include "common/SilentOperator.h"
#include "cycle/Cycle.h"
#include "cycle/HostState.h"
#include "cycle/LinkHealth.h"
#include "support/FakeClock.h"

namespace ql::bench {

struct BenchHost {
  static constexpr int kTickMs = 5;

  explicit BenchHost(BenchLine& wire) : line(wire), host(BenchFactory(wire), clock, person) {
    host.loggerPort.comIndex = 1;
    host.loggerPort.lineIndex = 11;
    LoggerPortCBChange(host);
    host.display.running = true;
    RawPortCBChange(host.display, RealTimeDisplay::kParsedData, 0, 2);
    host.terminal.SetLineSink([this](const std::string&) { ++terminalLines; });
    host.ports.ConfigurePort(1, 2, 11);
    host.deck.working[1] = {kDeckLoggerOutput, 2, 1};
    host.consumer.hooks().archive = [this](const uint8_t*, int, int) {
      ++archived;
      return true;
    };
    host.recording.state = 2;
    auto consume = host.receiver.hooks().dataRecord;
    host.receiver.hooks().dataRecord = [this, consume](uint8_t* record, int length, int recordState) {
      check.Seen(record);
      consume(record, length, recordState);
    };
  }

  // One fast tick, the line having carried what 115200 baud carries up to its time.
  void Tick() {
    ++ticks;
    clock.AdvanceMs(kTickMs);
    line.ArriveUpTo(static_cast<size_t>(Seconds() * kLineBytesPerSecond));
    Timer10msTimer(host);
  }
  double Seconds() const { return static_cast<double>(ticks) * kTickMs / 1000.0; }

  BenchLine& line;
  test::FakeClock clock;
  SilentOperator person;
  HostState host;
  RecognitionCheck check;
  int64_t ticks = 0;
  uint32_t archived = 0;
  uint64_t terminalLines = 0;
};

}  // namespace ql::bench
