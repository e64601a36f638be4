#include "ModeLabels.h"

#include "HostModes.h"
#include "HostState.h"

namespace ql {

void CompareHostAndLoggerModes(HostState& host) {
  SetupPageState& page = host.setupPage;
  if (const auto colour = CompareModes(page.loggerModeVisible, host.hostMode, page.loggerMode)) {
    page.modesDisagree = *colour == ModeColour::kMismatch;
  }
}

void ShowHostMode(HostState& host, int hostMode) {
  host.hostMode = hostMode;
  CompareHostAndLoggerModes(host);
}

void ShowLoggerMode(HostState& host, int loggerMode) {
  SetupPageState& page = host.setupPage;
  page.loggerMode = loggerMode;
  page.loggerModeText = LoggerModeText(loggerMode, page.meterType);
  page.loggerModeVisible = true;
  CompareHostAndLoggerModes(host);
}

}  // namespace ql
