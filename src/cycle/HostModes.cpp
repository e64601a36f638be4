#include "HostModes.h"

#include "common/Format.h"

namespace ql {
namespace {

constexpr bool P = true;   // page or control shown
constexpr bool _ = false;  // hidden

// Columns of the host-mode table, for -1, 1, 2, 3, 4, 5 and 8.
struct ModeColumn {
  int mode;
  ModeDisplay display;
};

// clang-format off
const ModeColumn kModeTable[] = {
  //        deck   logger  PortSet Ctrl DataSt Upload RealT Record PCLog Hardw Analog Plot   autoStart  ModeCB        FileCB       OutputCB      store loggerStatus port  power runStop runNumber
  {kNoHostMode,    {P, _, {_, _, _, _, _, _, _, _, _, _}, _, {0, _},        {0, _}, {0, _}, _, P, P, _, _, _}},
  {kAnalogOutput,  {P, _, {P, P, _, _, P, P, _, _, _, _}, P, {3, _},        {0, _}, {3, _}, P, P, P, _, _, _}},
  {kMooredLogging, {P, _, {P, P, P, P, _, _, _, _, _, _}, _, {1, _},        {1, _}, {0, _}, P, P, P, _, _, P}},
  {kProfileLogging,{P, _, {P, P, P, P, _, _, _, _, _, _}, _, {0, _},        {1, _}, {0, _}, P, P, P, _, P, P}},
  {kRealTimeData,  {_, _, {P, P, P, _, P, P, P, _, _, P}, _, {2, _},        {0, _}, {1, _}, P, P, P, _, _, _}},
  {kAdvancedUser,  {_, _, {P, P, P, P, P, P, P, _, _, P}, _, {2, P, true},  {0, P}, {1, P}, P, P, P, P, P, P}},
  {kPcLogger,      {_, P, {_, _, _, _, P, P, P, _, _, P}, _, {2, P},        {0, P}, {1, P}, _, _, _, _, _, _}},
};

// Rows of the menu table; columns -1, 1, 2, 3, 4, 5, 8.
struct MenuRow {
  ModeMenuItem item;
  const char* name;
  std::array<bool, 7> visible;
};

const MenuRow kMenuTable[] = {
  {kMenuFactorySettings,       "MenuFactorySettings",   {P, P, P, P, P, P, _}},
  {kMenuResetToMonitor,        "ResetToMonitor",        {P, P, P, P, P, P, _}},
  {kMenuChangeLoggerID,        "MenuChangeLoggerID",    {_, _, _, _, P, P, _}},
  {kMenuN2,                    "N2",                    {_, _, _, _, P, P, _}},
  {kMenuAnalogCal,             "AnalogCal",             {_, P, P, P, P, P, _}},
  {kMenuHardwareConfig,        "HardwareConfig",        {_, P, P, P, P, P, _}},
  {kMenuN11,                   "N11",                   {_, _, _, _, P, P, _}},
  {kMenuLoadDefaultFlashSetup, "LoadDefaultFlashSetup", {_, _, _, _, _, P, _}},
  {kMenuToggleDebug,           "ToggleDebug",           {_, _, _, _, _, P, _}},
  {kMenuN1,                    "N1",                    {_, P, P, P, P, P, _}},
  {kMenuAnnotateFile,          "MenuAnnotateFile",      {_, _, _, _, P, P, P}},
  {kMenuLoggerTimeUpdate,      "MenuLoggerTimeUpdate",  {_, P, P, P, P, P, _}},
  {kMenuAutoTimeUpdate,        "MenuAutoTimeUpdate",    {_, P, P, P, P, P, _}},
  {kMenuUpdateTimeNow,         "MenuUpdateTimeNow",     {_, P, P, P, P, P, _}},
  {kMenuMooredTimeUpdate,      "MenuMooredTimeUpdate",  {_, _, _, _, _, _, _}},
  {kMenuN5,                    "N5",                    {_, _, P, P, P, P, _}},
  {kMenuTestOneSerialPort,     "MenuTestOneSerialPort", {_, _, P, P, P, P, _}},
  {kMenuN10,                   "N10",                   {_, _, _, _, _, P, _}},
  {kMenuChangeHostInterface,   "ChangeHostInterface",   {_, _, _, _, _, P, _}},
  {kMenuBx5PassThru,           "Menubx5PassThru",       {_, _, _, _, _, _, _}},
};
// clang-format on

constexpr std::array<PageInfo, kPageCount> kPages = {{
    {"TSPortSetup", "Port Setup"},
    {"TSLoggerControl", "Logger Control"},
    {"TSDataStatus", "Data Status"},
    {"TSUpload", "Upload Logger Data"},
    {"TSRealTime", "Real Time Data"},
    {"TSRecord", "Recording: OFF"},
    {"TSPCLogger", "PC-Logger"},
    {"TSHardware", "Hardware Configuration"},
    {"TSAnalog", "Analog Calibration"},
    {"TSPlotSetup", "Plot Setup"},
}};

// Column of a host mode in both tables; -1 for modes 6 and 7, which change nothing.
int ColumnOf(int hostMode) {
  switch (hostMode) {
    case kNoHostMode: return 0;
    case kAnalogOutput: return 1;
    case kMooredLogging: return 2;
    case kProfileLogging: return 3;
    case kRealTimeData: return 4;
    case kAdvancedUser: return 5;
    case kPcLogger: return 6;
    default: return -1;
  }
}

}  // namespace

const std::array<PageInfo, kPageCount>& Pages() { return kPages; }

const char* HostModeText(int hostMode) {
  switch (hostMode) {
    case kAnalogOutput: return "Analog Output";
    case kMooredLogging: return "Moored Logging";
    case kProfileLogging: return "Profile Logging";
    case kRealTimeData: return "Real Time Data";
    case kAdvancedUser: return "Advanced User";
    case kSct3Output: return "Invalid Mode";
    case kPcLogger: return "PC Logger";
    default: return "No Mode Selected";
  }
}

int NormaliseHostMode(int hostMode) { return hostMode >= 1 && hostMode <= 8 ? hostMode : kNoHostMode; }

std::optional<ModeDisplay> DisplayForMode(int hostMode) {
  const int column = ColumnOf(hostMode);
  if (column < 0) return std::nullopt;
  return kModeTable[column].display;
}

const char* ModeMenuItemName(ModeMenuItem item) { return kMenuTable[item].name; }

std::optional<std::array<bool, kModeMenuItemCount>> MenusForMode(int hostMode) {
  const int column = ColumnOf(hostMode);
  if (column < 0) return std::nullopt;
  std::array<bool, kModeMenuItemCount> visible{};
  for (const MenuRow& row : kMenuTable) visible[row.item] = row.visible[static_cast<size_t>(column)];
  return visible;
}

std::string LoggerModeText(int loggerMode, int meterType) {
  static const char* const kFixed[] = {"Profile Logging      ", "Moored Logging       ", "Real Time Data       ",
                                       "Analog Output        "};
  if (loggerMode >= 0 && loggerMode <= 3) return kFixed[loggerMode];
  if (loggerMode == 12) return "Polled-Moored Logging";
  if (loggerMode >= 4 && loggerMode <= 7 && (meterType == 1 || meterType == 3)) {
    return loggerMode == 4 ? "Direct To bx5" : Format("Direct To PORT%d", loggerMode - 4);
  }
  if (loggerMode >= 4 && loggerMode <= 11) return Format("Direct To PORT%d", loggerMode - 3);
  return "Unknown Mode";
}

std::optional<ModeColour> CompareModes(bool loggerModeVisible, int hostMode, int loggerMode) {
  if (!loggerModeVisible) return ModeColour::kNormal;
  switch (hostMode) {
    case kAnalogOutput: return loggerMode == 3 ? ModeColour::kNormal : ModeColour::kMismatch;
    case kMooredLogging: return loggerMode == 1 ? ModeColour::kNormal : ModeColour::kMismatch;
    case kProfileLogging: return loggerMode == 0 ? ModeColour::kNormal : ModeColour::kMismatch;
    case kRealTimeData: return loggerMode == 2 ? ModeColour::kNormal : ModeColour::kMismatch;
    case kAdvancedUser:
    case kBx5PassThru:
    case kPcLogger:
    case kNoHostMode: return ModeColour::kNormal;
    default: return std::nullopt;
  }
}

}  // namespace ql
