#pragma once

#include <array>
#include <optional>
#include <string>

namespace ql {

// The host-side working modes chosen from the Modes menu. They decide which pages,
// panels, controls and menu items the main window offers.
enum HostMode : int {
  kNoHostMode = -1,
  kAnalogOutput = 1,
  kMooredLogging = 2,
  kProfileLogging = 3,
  kRealTimeData = 4,
  kAdvancedUser = 5,
  kSct3Output = 6,
  kBx5PassThru = 7,
  kPcLogger = 8,
};

// Pages of Tabs, in tab order.
enum Page : int {
  kTSPortSetup,
  kTSLoggerControl,
  kTSDataStatus,
  kTSUpload,
  kTSRealTime,
  kTSRecord,
  kTSPCLogger,
  kTSHardware,
  kTSAnalog,
  kTSPlotSetup,
  kPageCount
};

struct PageInfo {
  const char* name;
  const char* caption;
};
const std::array<PageInfo, kPageCount>& Pages();

// "Analog Output" .. "PC Logger"; "Invalid Mode" and "No Mode Selected" for the rest.
const char* HostModeText(int hostMode);

// A host mode value as stored or chosen: anything outside 1..8 is no mode.
int NormaliseHostMode(int hostMode);

// What a host mode sets on one of the three setup combos: an item and whether the
// combo and its label show. keepChoice: keep the operator's item (fallback when none).
struct ModeCombo {
  int index;
  bool visible;
  bool keepChoice = false;
};

// One column of the host-mode table.
struct ModeDisplay {
  bool closeDeckPorts;
  bool closeLoggerPort;
  std::array<bool, kPageCount> pages;
  bool autoStartChecked;
  ModeCombo modeCB;
  ModeCombo fileCB;
  ModeCombo outputCB;
  bool store;          // PStore
  bool loggerStatus;   // LoggerStatusGB
  bool loggerPort;     // PLoggerPort, COMStatus, the Logger_Port menu, the port setup shown
  bool power;          // LBPower
  bool runStop;        // LBRunStop
  bool runNumber;      // LBRunNumber
};

// The column for a host mode; nothing for the modes whose display step changes nothing.
std::optional<ModeDisplay> DisplayForMode(int hostMode);

// Menu items whose visibility follows the host mode, in the menu table's row order.
enum ModeMenuItem : int {
  kMenuFactorySettings,
  kMenuResetToMonitor,
  kMenuChangeLoggerID,
  kMenuN2,
  kMenuAnalogCal,
  kMenuHardwareConfig,
  kMenuN11,
  kMenuLoadDefaultFlashSetup,
  kMenuToggleDebug,
  kMenuN1,
  kMenuAnnotateFile,
  kMenuLoggerTimeUpdate,
  kMenuAutoTimeUpdate,
  kMenuUpdateTimeNow,
  kMenuMooredTimeUpdate,
  kMenuN5,
  kMenuTestOneSerialPort,
  kMenuN10,
  kMenuChangeHostInterface,
  kMenuBx5PassThru,
  kModeMenuItemCount
};
const char* ModeMenuItemName(ModeMenuItem item);

// Visibility of every mode-dependent menu item; nothing for modes 6 and 7.
std::optional<std::array<bool, kModeMenuItemCount>> MenusForMode(int hostMode);

// The logger mode label text for the setup's mode index and the hardware meter type.
std::string LoggerModeText(int loggerMode, int meterType);

// CompareModes: the colour both mode labels take; nothing when they keep theirs.
enum class ModeColour { kNormal, kMismatch };
std::optional<ModeColour> CompareModes(bool loggerModeVisible, int hostMode, int loggerMode);

}  // namespace ql
