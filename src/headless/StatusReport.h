#pragma once

#include <cstdint>
#include <string>

#include "status/StatusDecoder.h"

namespace ql {

// One logger status as the command line reports it: the left column's texts and the
// figures behind them.
struct StatusReport {
  int state = 0;
  std::string stateText;      // LBOperation
  int64_t loggerSeconds = 0;  // logger clock, local wall-clock seconds
  int64_t pcSeconds = 0;      // the PC's local wall-clock seconds at the status
  std::string loggerTime;     // "YYYY-MM-DD HH:MM:SS"
  std::string pcTime;
  int64_t driftSeconds = 0;   // logger minus PC: positive when the logger is fast
  std::string driftText;      // LBDrift, empty within 4 s
  int run = -1;               // -1: no run
  std::string timeLeft;       // LBTimeLeft
  int batteryMillivolts = 0;
  std::string batteryText;    // LBCurrentV
  int64_t memoryFreeBytes = 0;
  int64_t memoryTotalBytes = 0;
  std::string memoryFreeText;   // LBFreeDisk
  std::string memoryTotalText;  // LBTotalDisk
  int badFlash = 0;             // the bad-flash word; 0: no fault
  int loggerId = 0;
  std::string loggerName;
};

// The report of a decoded status: its record, the display it produced, the PC's host
// seconds at the decoding and the last bad-flash word.
StatusReport MakeStatusReport(const StatusBytes& status, const StatusDisplay& display, const StatusMemory& memory,
                              int64_t pcSeconds, int badFlash);

// "YYYY-MM-DD HH:MM:SS" of local wall-clock seconds.
std::string WallClockText(int64_t seconds);

}  // namespace ql
