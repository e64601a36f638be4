#include "ModeLayout.h"

#include <algorithm>

namespace ql {
namespace {

bool AnyShown(const auto& labels) {
  return std::any_of(labels.begin(), labels.end(), [](bool shown) { return shown; });
}

}  // namespace

OncePerHourHeadings MooredHeadings(const PortRowsShown& portLabels) {
  return {AnyShown(portLabels.serial), AnyShown(portLabels.analog), AnyShown(portLabels.pump)};
}

void UncheckOncePerHour(SetupControls& controls) {
  controls.serialOncePerHour.fill(false);
  controls.analogOncePerHour.fill(false);
  controls.pumpOncePerHour.fill(false);
}

ModeLayout ApplyModeLayout(SetupControls& controls, const PortRowsShown& portLabels) {
  return ApplyModeLayout(controls, IsMooredMode(controls.mode), portLabels);
}

ModeLayout ApplyModeLayout(SetupControls& controls, bool moored, const PortRowsShown& portLabels) {
  ModeLayout layout;
  // 1. The moored flag the status display reads.
  layout.moored = moored;
  // 2..3. A moored run sleeps between samples: interval and Sleep show, and the
  // operational buttons make room for Sleep.
  layout.intervalVisible = moored;
  layout.groupBox7Left = moored ? 168 : 297;
  layout.groupBox7Width = moored ? 265 : 136;
  layout.beginStopLeft = moored ? 136 : 8;
  // 4. Once-per-hour columns: headings over the groups that show a port.
  layout.headings = moored ? MooredHeadings(portLabels) : OncePerHourHeadings{};
  layout.hideOncePerHourBoxes = !moored;
  if (!moored) UncheckOncePerHour(controls);
  // 5. Polled wake and sleep buttons.
  layout.polledButtonsVisible = controls.mode == kPolledMooredMode;
  return layout;
}

}  // namespace ql
