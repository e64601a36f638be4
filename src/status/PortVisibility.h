#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "setup/ModeLayout.h"
#include "setup/SetupControls.h"

namespace ql {

// The port rows of the Data Status and Port Setup pages as the logger's fitted ports
// decide them.
struct PortVisibility {
  std::string hostType;  // HostType
  // Per port, all of its row: for serial ports M1Label.., M1BPSLabel.., M1FSLabel..,
  // M1TypeLabel.., M1StatusLabel.., M1FileSizeLabel.., LBS1.., ComboMeter1..,
  // CBPort1Setup..; for analog ports LBA1.., Analog1.., LBAnalog1.., CBAnalog1..; for
  // pumps LBPump1.., CBPump1... Its serial/analog/pump parts are also the port labels
  // the mode layout looks at.
  PortRowsShown rows;
  PortRowsShown oncePerHourBoxes;  // SOPH1.., AOPH1.., POPH1..
  OncePerHourHeadings headings;
  bool uncheckOncePerHour = false;     // outside the moored layout every box is unchecked
  bool analogFileSizeVisible = false;  // AnalogFS and AnalogFileSizeLabel
  bool serialCaptionVisible = false;   // LBSerial
  bool analogCaptionVisible = false;   // LBAnalogSetup and LBAnalog
  bool pumpCaptionVisible = false;     // LBPump

  bool operator==(const PortVisibility&) const = default;
};

// What the port rows were last laid out from.
struct PortVisibilityCache {
  int meterType = 0;
  uint16_t serialMask = 0;
  uint16_t analogMask = 0;
  uint16_t pumpMask = 0;
  uint16_t powerBits = 0;
  bool moored = false;
};

struct PortMasks {
  uint16_t serial = 0;
  uint16_t analog = 0;
  uint16_t pump = 0;
  uint16_t powerBits = 0;
};

// The rows for the fitted ports, or nothing when masks, power switches and the moored
// layout are as last time: then no visibility changes.
std::optional<PortVisibility> UpdatePortVisibility(const PortMasks& masks, bool mooredLayout,
                                                   PortVisibilityCache& cache);

// Captions of the serial port rows (LBS1..LBS8 and M1Label..M8Label), relabelled when the
// meter type changes. On a bx5Plus or EXT Plus the first row is the meter's own port,
// so it reads "bx5:" and the logger's ports follow as "Port 1:".."Port 7:"; a plain QL-9
// has "Port 1:".."Port 8:". No meter type, or one unknown, leaves the captions alone.
using RowCaptions = std::array<std::string, kSerialPortCount>;
std::optional<RowCaptions> UpdateRowCaptions(int meterType, PortVisibilityCache& cache);

}  // namespace ql
