#pragma once

#include <optional>
#include <string>

#include "HeadlessOperator.h"
#include "PortChoice.h"
#include "StatusReport.h"
#include "cycle/HostState.h"

namespace ql {

// The host without a window: the window's host state, ticks and rules, with the
// operator's part decided in advance. The caller drives the ticks (QTimers in the
// program, a simulated clock in tests) and takes what the logger reported after each.
class HeadlessHost {
 public:
  HeadlessHost(SerialDeviceFactory deviceFactory, Clock& clock);
  HeadlessHost(const HeadlessHost&) = delete;
  HeadlessHost& operator=(const HeadlessHost&) = delete;

  HostState& State() { return host_; }
  HeadlessOperator& Person() { return person_; }

  // Opens the logger port as the "Logger Port Setup" group would. False, with the
  // reason in `error`, when the port cannot be opened.
  bool Open(const PortChoice& choice, std::string& error);
  // Opens the logger port of the last Open again, comports.txt read afresh (a replugged
  // adapter may have a new name); true when it is open.
  bool Reopen();
  bool PortOpen() const { return host_.ports.IsPortOpen(PortTable::kLoggerSlot); }

  // The window's timers: 5 ms, the two one-second ones, and the 1.5 s upload timeout
  // (which runs only while the upload asks for it, as the window's does).
  void FastTick();
  void SecondTick();
  void TimeoutTick();
  bool TimeoutRunning() const { return host_.flash.upload.timeoutEnabled; }

  // The PC clock of the last fast tick, in UTC milliseconds.
  int64_t NowMs() const { return host_.pc.UtcMilliseconds(); }

  // The status decoded since the last call, if any.
  std::optional<StatusReport> TakeStatus();
  // The setup the logger sent since the last call, as the setup pages show it.
  std::optional<SetupControls> TakeSetup();

 private:
  HeadlessOperator person_;
  HostState host_;
  PortChoice choice_;
};

}  // namespace ql
