#pragma once

#include <cstdint>

namespace ql {

// The one checksum of the logger protocol: the sum of unsigned bytes, truncated to
// 16 bits, stored little-endian right after the summed range.
uint16_t setup_checksum(const uint8_t* bytes, int count);

// Computes the checksum over bytes 0..size-3 and stores it in the last two bytes.
void SealRecord(uint8_t* record, int size);

}  // namespace ql
