#pragma once

#include <string>

#include "common/Colour.h"
#include "serial/LineSettings.h"

namespace ql {

// What the "Logger Port Setup" group, the logger port panel and the port status show.
// The window mirrors these values into LoggerPortCB, LoggerSetupCB, LoggerPortGB,
// PLoggerPort, COMStatus and the AutoBaudRateDetection menu item.
struct LoggerPortControls {
  int comIndex = 0;            // LoggerPortCB: 0 "No Port Selected", 1..12 COM 1..COM 12
  int lineIndex = kLine9600;   // LoggerSetupCB
  Colour comColour = kWindowColour;
  Colour lineColour = kWindowColour;
  Colour panelColour = kButtonFace;  // PLoggerPort
  bool groupVisible = false;         // LoggerPortGB
  bool autoBaud = false;             // automatic baud-rate detection on (menu item checked)
  bool panelVisible = false;         // PLoggerPort
  bool offered = true;               // COMStatus (not in PC-Logger mode)
  bool menuOffered = true;           // the Logger_Port menu: as COMStatus, or as a host setup file says
  std::string panelText;             // "Logger Port: COM%1d"
  std::string comStatus;             // COMStatus

  const char* SetupMenuCaption() const {
    return groupVisible ? "Hide Logger Port Setup" : "Show Logger Port Setup";
  }
  bool operator==(const LoggerPortControls&) const = default;
};

}  // namespace ql
