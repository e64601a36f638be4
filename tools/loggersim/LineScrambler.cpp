#include "LineScrambler.h"

namespace ql::sim {

void LineScrambler::Scramble(uint8_t* bytes, int count) {
  for (int i = 0; i < count; ++i, ++position_) {
    bytes[i] = static_cast<uint8_t>(0x80 | ((bytes[i] * 29u + position_ * 71u + 13u) & 0x7F));
  }
}

bool LinesAgree(const LineParams& host, const LineParams& logger) {
  return host.baud == logger.baud && host.dataBits == logger.dataBits && host.parity == logger.parity;
}

}  // namespace ql::sim
