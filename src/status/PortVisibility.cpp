#include "PortVisibility.h"

#include <bit>

#include "common/Format.h"
#include "setup/MeterType.h"

namespace ql {
namespace {

constexpr uint16_t kRs422Host = 1u << 8;
constexpr uint16_t kAnalogPortBits = 0x7F;

template <std::size_t N>
std::array<bool, N> Fitted(uint16_t mask) {
  std::array<bool, N> fitted{};
  for (std::size_t i = 0; i < N; ++i) fitted[i] = (mask >> i) & 1u;
  return fitted;
}

template <std::size_t N>
std::array<bool, N> BoxesShown(const std::array<bool, N>& fitted, bool moored) {
  std::array<bool, N> shown{};
  for (std::size_t i = 0; i < N; ++i) shown[i] = fitted[i] && moored;
  return shown;
}

}  // namespace

std::optional<PortVisibility> UpdatePortVisibility(const PortMasks& masks, bool mooredLayout,
                                                   PortVisibilityCache& cache) {
  // 2. Nothing changed since the last status: every control stays as it is.
  if (masks.serial == cache.serialMask && masks.analog == cache.analogMask && masks.pump == cache.pumpMask &&
      masks.powerBits == cache.powerBits && mooredLayout == cache.moored) {
    return std::nullopt;
  }
  PortVisibility v;
  // 3. The logger's interface to the host.
  v.hostType = (masks.serial & kRs422Host) ? "Host:  RS422" : "Host:  RS232";
  // 4..6. Rows of fitted ports; once-per-hour boxes only for moored runs.
  v.rows.serial = Fitted<kSerialPortCount>(masks.serial);
  v.rows.analog = Fitted<kAnalogPortCount>(masks.analog);
  v.rows.pump = Fitted<kPumpCount>(masks.pump);
  v.oncePerHourBoxes.serial = BoxesShown(v.rows.serial, mooredLayout);
  v.oncePerHourBoxes.analog = BoxesShown(v.rows.analog, mooredLayout);
  v.oncePerHourBoxes.pump = BoxesShown(v.rows.pump, mooredLayout);
  const int fittedAnalog = std::popcount(static_cast<unsigned>(masks.analog & kAnalogPortBits));
  // 7. Headings of the once-per-hour columns.
  if (mooredLayout) {
    v.headings = MooredHeadings(v.rows);
  } else {
    v.uncheckOncePerHour = true;
  }
  // 8. Group captions.
  v.analogFileSizeVisible = fittedAnalog > 0;
  v.serialCaptionVisible = masks.serial != 0;
  v.analogCaptionVisible = masks.analog != 0;
  v.pumpCaptionVisible = masks.pump != 0;
  // 9. Remember what the rows show now.
  cache.serialMask = masks.serial;
  cache.analogMask = masks.analog;
  cache.pumpMask = masks.pump;
  cache.powerBits = masks.powerBits;
  cache.moored = mooredLayout;
  return v;
}

std::optional<RowCaptions> UpdateRowCaptions(int meterType, PortVisibilityCache& cache) {
  if (meterType == cache.meterType) return std::nullopt;
  cache.meterType = meterType;
  RowCaptions captions;
  if (MeterOwnsPort1(meterType)) {
    captions[0] = "bx5:";
    for (int row = 1; row < kSerialPortCount; ++row) captions[row] = Format("Port %d:", row);
  } else if (meterType == kMeterQl9) {
    for (int row = 0; row < kSerialPortCount; ++row) captions[row] = Format("Port %d:", row + 1);
  } else {
    return std::nullopt;
  }
  return captions;
}

}  // namespace ql
