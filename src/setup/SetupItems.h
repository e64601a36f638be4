#pragma once

#include <array>
#include <string>
#include <vector>

// Item lists of the setup combos; the window builds its combos from these, so an item
// index here is the value the setup record carries.
namespace ql {

// ModeCB (record field mode). 1 and 12 are the moored modes.
inline constexpr int kProfileMode = 0;
inline constexpr int kMooredMode = 1;
inline constexpr int kRealTimeMode = 2;
inline constexpr int kAnalogMode = 3;
inline constexpr int kPolledMooredMode = 12;
inline constexpr std::array<const char*, 13> kModeItems = {
    "Profile Mode",      "Moored Mode",       "Real Time Mode",    "Analog Mode",
    "Run Logger Port 1", "Run Logger Port 2", "Run Logger Port 3", "Run Logger Port 4",
    "Run Logger Port 5", "Run Logger Port 6", "Run Logger Port 7", "Run Logger Port 8",
    "Polled Moored Mode"};
constexpr bool IsMooredMode(int mode) { return mode == kMooredMode || mode == kPolledMooredMode; }

// OutputCB (record field outputFormat). "Output Logger Por 8" is the item's text as
// operators see it: leave it uncorrected.
inline constexpr int kOutputRealTimeData = 2;
inline constexpr std::array<const char*, 12> kOutputItems = {
    "Status",
    "Real Time Data + Status",
    "Real Time Data",
    "Analog Data",
    "Output Logger Port 1",
    "Output Logger Port 2",
    "Output Logger Port 3",
    "Output Logger Port 4",
    "Output Logger Port 5",
    "Output Logger Port 6",
    "Output Logger Port 7",
    "Output Logger Por 8"};

// FileCB (record field fileFormat).
inline constexpr int kNoDataStorage = 0;
inline constexpr std::array<const char*, 2> kFileItems = {"No Data Storage", "ZR Archive Files"};

// TimeSourceCB (record field timeSource). The host always sends item 0.
inline constexpr std::array<const char*, 4> kTimeSourceItems = {
    "Internal - No Time Updates", "Host PC Time", "GPS Time", "GPS Time or Host PC  "};

// CBAnalog1..CBAnalog7 (record field analogSetting): off, on, pump on.
inline constexpr std::array<const char*, 3> kAnalogItems = {"OFF", "ON", "Pump ON"};

// CBPump1..CBPump4 (record field pumpSetting): the pump's off and on items; CBPump4
// also offers purges, item k being a purge of (k - 1) x 500 ms.
inline constexpr int kPump4ItemCount = 12;
std::vector<std::string> PumpItems(int pumpIndex);  // pumpIndex 0..3
std::size_t PumpItemCount(int pumpIndex);

}  // namespace ql
