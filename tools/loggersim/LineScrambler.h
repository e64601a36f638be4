#pragma once

#include <cstdint>

#include "serial/SerialDevice.h"

namespace ql::sim {

// What bytes become when the two ends of a line disagree on speed or framing: every
// byte comes out with its top bit set, like the framing-error bytes a UART makes of a
// mismatched stream. Such bytes never begin a packet, a record or a text command, so
// nothing garbled is ever taken for a message. Deterministic for a given stream.
class LineScrambler {
 public:
  void Scramble(uint8_t* bytes, int count);

 private:
  uint32_t position_ = 0;
};

// Whether bytes pass unharmed between a host set to `host` and a logger at `logger`.
bool LinesAgree(const LineParams& host, const LineParams& logger);

}  // namespace ql::sim
