#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "LineScrambler.h"
#include "LoggerModel.h"
#include "serial/SerialDevice.h"

namespace ql::sim {

// The simulated logger's end of a pseudo-terminal. The host opens the other end (the
// path SlavePath names) as if it were a serial port. We keep a descriptor of our own on
// that end, so the link survives the host closing and reopening it, and so we can read
// back the speed, parity and data bits the host has set there: when they differ from
// the logger's own line, both directions are garbled as on a real mismatched line.
class PtyLink {
 public:
  // What Wait found.
  enum : int { kHostReadable = 1, kOtherReady = 2 };
  // Bytes left unread at the host's end beyond this mean nobody is reading there.
  static constexpr int kUnreadLimit = 3072;
  // A real line carries no more than its speed allows; this much of a second's worth
  // may go out at once after a quiet spell.
  static constexpr double kLineBurstSeconds = 0.25;
  // Output waiting to be written is cut to this much.
  static constexpr size_t kPendingLimit = 64 * 1024;

  PtyLink() = default;
  ~PtyLink();
  PtyLink(const PtyLink&) = delete;
  PtyLink& operator=(const PtyLink&) = delete;

  // Opens the pair; the host's end starts raw at `line`. False with the reason.
  bool Open(const LineParams& line, std::string& error);
  const std::string& SlavePath() const { return slavePath_; }
  int MasterFd() const { return master_; }

  // The line the host has set on its end.
  LineParams HostLine() const;

  // Waits up to timeoutMs for bytes from the host or for otherFd (when not -1) to be
  // readable or closed; returns the kHostReadable / kOtherReady bits. Never returns at
  // once over and over on a hung-up link: it then waits out the timeout.
  int Wait(int timeoutMs, int otherFd = -1);

  // Without waiting: hands the host's bytes to the model, moves it on by advanceMs and
  // writes what it has sent, as far as the host's end takes it.
  void Service(LoggerModel& model, int advanceMs);

  // Wait, then Service.
  void Pump(LoggerModel& model, int pollTimeoutMs, int advanceMs);

  size_t PendingBytes() const { return pending_.size(); }
  int64_t BytesToHost() const { return bytesToHost_; }
  int64_t BytesFromHost() const { return bytesFromHost_; }

 private:
  void ReadHost(LoggerModel& model, bool garbled);
  void WriteHost(size_t limit);
  void Close();

  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
  std::vector<uint8_t> pending_;
  double lineAllowance_ = 0;  // bytes the line may still carry
  LineScrambler toHost_;
  LineScrambler fromHost_;
  int64_t bytesToHost_ = 0;
  int64_t bytesFromHost_ = 0;
};

}  // namespace ql::sim
