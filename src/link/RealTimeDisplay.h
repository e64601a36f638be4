#pragma once

#include <array>
#include <string>

namespace ql {

// The real-time display switches of the "Real Time Data" page and the terminal output
// that waits for the next fast tick.
struct RealTimeDisplay {
  enum Source : int { kNone = -1, kParsedData = 0, kRawLoggerData = 1, kRawPcLoggerData = 2 };
  static constexpr int kAllAnalogData = 8;

  bool running = false;  // BTDisplayRaw shows "Stop Display" while running
  int source = kParsedData;  // RawSourceCB
  int port = 0;              // RawPortCB: "Display Port 1".."Display Port 8", "All Analog Data"
  int loggerId = 2;          // RawMuxIDUD, 1..4
  std::string loggerIdLabel = "Logger ID:    2";  // RawMuxIDLB
  bool selectorsVisible = true;  // RawMuxIDLB, RawMuxIDUD and RawPortCB

  // Pending terminal output, written and emptied by the next fast tick.
  std::string parsedExtract;
  std::string rawLoggerBytes;
  std::string rawPcLoggerRecord;

  // Per-sender counts: LBTimeUnit (sender 0) and LBUnit1..LBUnit4.
  std::string timeUnitLabel = "Time Unit: 0";
  std::array<std::string, 4> unitLabels{"Unit 1: 0 \t0 \t0", "Unit 2: 0 \t0 \t0", "Unit 3: 0 \t0 \t0",
                                          "Unit 4: 0 \t0 \t0"};

  const char* ButtonCaption() const { return running ? "Stop Display" : "Display Data"; }
  bool ShowsRawLoggerData() const { return running && source == kRawLoggerData; }
};

// BTDisplayRawClick
void ToggleDisplay(RealTimeDisplay& display);
// Turning to another page of the main window stops the display.
void StopDisplay(RealTimeDisplay& display);
// RawPortCBChange: takes the source, port and logger ID and refreshes the selectors.
void RawPortCBChange(RealTimeDisplay& display, int source, int port, int loggerId);

}  // namespace ql
