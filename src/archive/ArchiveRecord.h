#pragma once

#include <cstdint>

#include "common/ByteOrder.h"

// One data record as archive files hold it: a 28-byte header, N data bytes and a
// 4-byte trailer, records back to back with nothing between them. In a data packet the
// same record travels with its length, time and nine port counts big-endian; archives
// hold them little-endian.
namespace ql::archive {

inline constexpr int kHeaderSize = 28;
inline constexpr int kTrailerSize = 4;
inline constexpr int kEnvelope = kHeaderSize + kTrailerSize;
inline constexpr int kMaxData = 4096;
// The most data a record the host builds itself (PC logger, extraction) carries: replay
// hands a record on as a data packet (the record and 4 bytes), which must fit the host's
// 4096-byte receive buffer, as every record the logger sends does.
inline constexpr int kMaxBuiltData = 4096 - 36;
inline constexpr int kSources = 9;  // ports 1..8 and the ninth source

// Header field offsets.
inline constexpr int kFormat = 0;
inline constexpr int kTimeUnit = 1;
inline constexpr int kSender = 2;
inline constexpr int kSequence = 3;
inline constexpr int kDataLength = 4;
inline constexpr int kTime = 6;
inline constexpr int kCounts = 10;

// Turns the multi-byte header fields from the logger's order into the archive's, or
// back: the same swap serves both ways.
inline void SwapHeaderOrder(uint8_t* record) {
  Swap16(record + kDataLength);
  for (int k = 0; k < kSources; ++k) Swap16(record + kCounts + 2 * k);
  Swap32(record + kTime);
}

}  // namespace ql::archive
