#include "SendSetup.h"

#include "PortDeviceType.h"
#include "PortLineSetting.h"
#include "SetupEditing.h"
#include "SetupItems.h"
#include "SetupRecordBuilder.h"
#include "common/Operator.h"

namespace ql {

bool SetupControlsValid(const SetupControls& c) {
  bool valid = HasSelection(c.mode, kModeItems.size());
  for (int n = 0; n < kSerialPortCount; ++n) {
    valid = valid && HasSelection(c.meter[n], kDeviceTypeItems.size()) &&
            HasSelection(c.portLine[n], kPortLineItems.size());
  }
  for (int n = 0; n < kAnalogPortCount; ++n) valid = valid && HasSelection(c.analog[n], kAnalogItems.size());
  for (int n = 0; n < kPumpCount; ++n) valid = valid && HasSelection(c.pump[n], PumpItemCount(n));
  valid = valid && HasSelection(c.hostPortLine, kHostPortLineCount) &&
          HasSelection(c.output, kOutputItems.size()) && HasSelection(c.file, kFileItems.size());
  for (const TimeSetting& t : c.times) valid = valid && HasSelection(t.unit, kTimeUnitItems.size());
  return valid;
}

std::optional<SetupBytes> SendSetup(SetupControls& controls, int meterType, SetupBytes& record,
                                    Operator& op) {
  // 1. Every combo must show an item; nothing changes otherwise.
  if (!SetupControlsValid(controls)) {
    op.Warning("*** Warning *** 'Send Setup' has been aborted.",
               "One or more of the Logger Setup Parameters in either Port Setup or Sample Setup is invalid.");
    return std::nullopt;
  }
  // 2. The instruments' analog-rate needs.
  ApplyAnalogRateMinimums(controls);
  // 3. The record.
  BuildSetupRecord(controls, meterType, record);
  // 4. Streaming everything out while also filling the internal memory ends with the
  // logger switching itself off; the operator must know before the setup goes.
  if (controls.output == kOutputRealTimeData && controls.file != kNoDataStorage) {
    op.Warning(
        "***Warning***",
        "Using the Logger Output AND Recording Data internally will cause the Logger to Turn OFF as the "
        "internal memory becomes full!");
  }
  // 5. The bytes for the logger port.
  return record;
}

}  // namespace ql
