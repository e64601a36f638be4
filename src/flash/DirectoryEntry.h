#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace ql {

// One directory packet (type 5, 64 bytes, little-endian): one run in the logger's flash.
struct DirectoryEntry {
  static constexpr int kSize = 64;

  int16_t runNumber = 0;
  int16_t modeCode = 0;
  std::array<int16_t, 9> device{};  // serial ports 0..8; 1..8 are listed
  std::array<int16_t, 8> analog{};  // analog ports 0..7; 1..7 are listed
  std::array<int16_t, 4> pumps{};   // pumps 1..4
  int32_t startTime = 0;            // logger clock, shown without zone conversion
  uint32_t size = 0;                // run file size in bytes
  int16_t startMillivolts = 0;
  int16_t endMillivolts = 0;
};

DirectoryEntry DecodeDirectoryEntry(const uint8_t* packet);

// The run mode code's column text: " PROF  ", " MOOR  ", ... " ERR   ".
const char* RunModeText(int modeCode);

// The heading above the run list, its columns lined up with DirectoryLine's.
inline constexpr const char* kRunListHeader = "Run #   Mode     Date           Time       Start    End        Size    ";

// The line LBProfiles shows for the run.
std::string DirectoryLine(const DirectoryEntry& entry);

}  // namespace ql
