#pragma once

#include <cstdint>

namespace ql {

// What run extraction carries from one extraction to the next for the life of the
// program; everything else starts afresh with each run file.
struct ExtractionMemory {
  uint8_t timeGroupSequence = 0;    // sequence of the next time-grouped record
  uint8_t lastHeaderTimeUnit = 0;   // time-unit byte of the last ARCHIVE HEADER seen
  int32_t previousArchiveTime = 0;  // time of the last ARCHIVE QLMUX record (debug log)
};

}  // namespace ql
