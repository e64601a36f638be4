#pragma once

#include <cstdint>
#include <string>

#include "FlashState.h"

namespace ql {

// Logger states in which the logger lists its runs: "Standby" and "End of Run".
inline constexpr int kLoggerStandby = 9;
inline constexpr int kLoggerEndOfRun = 30;

// BTGetDirectoryClick: asks for the directory when no upload runs and the logger last
// reported Standby or End of Run; otherwise says why not and sends nothing.
void BTGetDirectoryClick(FlashState& flash, int loggerState, const std::string& loggerName);

// One directory packet (type 5): stored and listed, unless the table is full.
void HandleDirectoryEntry(FlashState& flash, const uint8_t* packet);

// BTClearMemoryClick: after confirmation empties the list and erases the logger's flash.
void BTClearMemoryClick(FlashState& flash);

}  // namespace ql
