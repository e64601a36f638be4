#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "LoggerStatus.h"
#include "PortVisibility.h"
#include "StatusTexts.h"
#include "common/Colour.h"
#include "setup/SetupControls.h"

namespace ql {

// What the host knows from the logger's statuses, and what the display last showed so
// that an unchanged value changes nothing. One per host, kept for the program's run.
struct StatusMemory {
  // Read by other handlers.
  int16_t loggerState = 0;         // LoggerState
  std::string loggerName = "???";  // LoggerName, as messages insert it
  float firmwareVersion = 0.0f;
  int32_t loggerSeconds = 0;  // logger clock of the last status

  bool firmwareWarned = false;      // the too-old-firmware warning is given once a run
  std::optional<int> runStopShown;  // code LBRunStop last showed; nothing before the first status
  bool remoteHostShown = false;     // RemoteHostPanel
  PortVisibilityCache cache;
};

struct MeterCaptions {
  const char* clearMemory;   // BTClearMemory
  const char* getDirectory;  // BTGetDirectory
};

struct PortStatusRow {
  const char* rateCaption = "";  // M1BPSLabel..M8BPSLabel
  std::string rate;              // M1StatusLabel..M8StatusLabel
  std::string fileSize;          // M1FileSizeLabel..M8FileSizeLabel
};

// Every value one status puts on the screen. An empty optional leaves its controls
// as they are.
struct StatusDisplay {
  // 1. The status group is live again; the caller also stores these two host values.
  Colour groupColour = kButtonFace;  // LoggerStatusGB
  int groupHeight = 280;
  bool dateTimeVisible = true;  // LBDandT
  int loggerClockFreshness = 2;
  // 2. Port rows.
  std::optional<bool> remoteHostVisible;  // RemoteHostPanel; the left column is laid out again
  std::optional<RowCaptions> rowCaptions;
  std::optional<PortVisibility> ports;
  // 3. Logger ID.
  std::string currentMuxId;  // LBCurrentMuxID
  bool askLoggerId = false;  // an invalid ID opens the logger-ID dialog
  // 4..7.
  std::optional<RunStopDisplay> runStop;  // LBRunStop
  std::string runNumber;                  // LBRunNumber
  std::string runSize;                    // LBRunSize
  std::string power;                      // LBPower
  // 8. The host's known meter type (shared with the hardware page) becomes this.
  int meterType = 0;
  // 9. Text of the non-blocking warning dialog, once a run for too old a firmware.
  std::optional<std::string> firmwareWarning;
  // 10.
  std::optional<MeterCaptions> meterCaptions;
  // 11. Logger clock.
  Colour dateTimeColour = kButtonFace;  // LBDandT
  std::string loggerDateTime;           // LBDandT
  std::string sleepTime;                // the sleep dialog's SleepTime
  std::string sleepDate;                // the sleep dialog's SleepDate
  // 12.
  DriftDisplay drift;  // LBDrift
  // 13..17.
  Colour operationColour = kButtonFace;  // LBOperation
  std::string operation;
  std::string timeLeft;                                    // LBTimeLeft
  std::string currentVolts, startVolts, endVolts;          // LBCurrentV, LBStartV, LBEndV
  std::string freeDisk, totalDisk;                         // LBFreeDisk, LBTotalDisk
  std::array<std::string, kAnalogPortCount> analogValues;  // Analog1..Analog7
  std::string analogFileSize;                              // AnalogFileSizeLabel
  // 18.
  std::array<PortStatusRow, kSerialPortCount> portRows;
};

// A status is decoded in two halves around the logger clock check, which the caller
// owns because it may set the logger's clock:
//
//   StatusDisplay d = DecodeStatusToClock(status, memory, mooredLayout);
//   RefreshPcClock(...);  then the clock-update rule with memory.loggerSeconds
//   DecodeStatusFromDrift(status, hostSeconds, d);
//   // apply d (UncheckOncePerHour when d.ports->uncheckOncePerHour); clear StatusReceived
//
// The first half covers the group, the port rows, logger ID, run, power, host
// variables, firmware, meter captions and the logger clock texts. `mooredLayout` is
// MooredLayout of the setup page.
StatusDisplay DecodeStatusToClock(const StatusBytes& status, StatusMemory& memory, bool mooredLayout);

// The second half: drift against the host seconds of the refreshed PC clock, state,
// time left, voltages, memory, analog inputs and per-port rates and sizes.
void DecodeStatusFromDrift(const StatusBytes& status, int64_t hostSeconds, StatusDisplay& display);

}  // namespace ql
