#include "RealTimeDisplay.h"

#include "common/Format.h"

namespace ql {

void ToggleDisplay(RealTimeDisplay& display) { display.running = !display.running; }

void StopDisplay(RealTimeDisplay& display) { display.running = false; }

void RawPortCBChange(RealTimeDisplay& display, int source, int port, int loggerId) {
  display.source = source;
  display.port = port;
  display.loggerId = loggerId;
  display.loggerIdLabel = Format("Logger ID:  %3d", loggerId);
  display.selectorsVisible = source == RealTimeDisplay::kParsedData || source == RealTimeDisplay::kNone;
}

}  // namespace ql
