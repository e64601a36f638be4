// Loads arbitrary bytes as a .hdw file and shows them on the hardware page. What the
// page shows, built into a record again, must show the same: the controls never hold
// a value the record cannot carry back.
#include <cstdlib>

#include "FuzzFile.h"
#include "setup/FactoryRecordFile.h"
#include "setup/HardwareConfig.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ql::HardwareBytes record{};
  const std::string file = WriteFuzzFile(data, size, ".hdw");
  const bool loaded = ql::LoadRecordFile(file, record);
  if (loaded != (size >= record.size())) std::abort();
  const ql::HardwareControls shown = ql::ReadHardwareConfig(record);
  ql::BuildHardwareConfig(shown, record);
  const ql::HardwareControls again = ql::ReadHardwareConfig(record);
  if (again.meterType != shown.meterType || again.serialNumber != shown.serialNumber ||
      again.runStopSwitch != shown.runStopSwitch || again.statusLed != shown.statusLed ||
      again.relays != shown.relays) {
    std::abort();
  }
  return 0;
}
