#pragma once

#include <cstdint>
#include <vector>

#include "common/ByteOrder.h"

namespace ql::test {

// A command frame as the host wrote it: code and arguments.
struct SentFrame {
  uint16_t code = 0;
  uint32_t argA = 0;
  uint16_t argB = 0;
};

// Cuts what the host wrote into 12-byte command frames (0x0202 ...). Other bytes are
// skipped one at a time.
inline std::vector<SentFrame> SentFrames(const std::vector<uint8_t>& bytes) {
  std::vector<SentFrame> frames;
  for (size_t i = 0; i + 12 <= bytes.size();) {
    if (bytes[i] == 0x02 && bytes[i + 1] == 0x02) {
      frames.push_back({GetU16LE(&bytes[i + 2]), GetU32LE(&bytes[i + 4]), GetU16LE(&bytes[i + 8])});
      i += 12;
    } else {
      ++i;
    }
  }
  return frames;
}

}  // namespace ql::test
