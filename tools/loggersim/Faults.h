#pragma once

namespace ql::sim {

// Misbehaviour the simulated logger can be told to show. A plain record: tests and the
// loggersim program set the fields directly; all are off by default.
struct Faults {
  // Extra random bytes after each packet, as a share of the packet's length (0.3 = 30 %).
  double noise = 0.0;
  // Non-zero: after every tenth packet, a run of this many 0x08 bytes, the data packet
  // type: wherever the host looks inside it, it reads a data header.
  int typeBursts = 0;
  // Share of packets that go out with a wrong checksum.
  double badChecksums = 0.0;
  // Sends nothing at all; it still listens and keeps sampling.
  bool silent = false;
  // The USB adapter to the logger is pulled out: a port open on it reads end of file and
  // opening it fails until it is back. The logger itself keeps sampling.
  bool adapterOut = false;
  // Talks at a speed no host setting matches: every byte arrives garbled both ways.
  bool wrongSpeed = false;
  // Every fifth data packet goes out twice.
  bool duplicates = false;
  // Every seventh data packet skips one sequence number of its sender.
  bool gaps = false;
  // After every fourth data packet an extra one comes from sender 5, 6, 7 or 8 in turn.
  bool highSenders = false;
  // Non-zero: a short message (type 2) reports this bad-flash count once a second. A
  // change back to 0 is reported once.
  int badFlash = 0;
  // Reports firmware 6.95 instead of 7.xx.
  bool oldFirmware = false;
  // The logger clock runs this many seconds ahead (+) or behind (-) the time it was
  // last set to. Setting the clock from the host puts it right and clears this.
  int driftSeconds = 0;
  // The logger clock gains (+) or loses (-) this many seconds a minute from the time it
  // was last set, so the host's clock rule has something to correct.
  double driftPerMinute = 0.0;
};

inline constexpr int kBurstEvery = 10;
inline constexpr int kDuplicateEvery = 5;
inline constexpr int kGapEvery = 7;
inline constexpr int kHighSenderEvery = 4;

}  // namespace ql::sim
