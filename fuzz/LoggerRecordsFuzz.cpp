// Feeds arbitrary setup and status records (as a logger might send them, with any
// field values) through their decoders and back through the setup encoder.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "common/ByteOrder.h"
#include "setup/ReceivedSetup.h"
#include "setup/SetupRecordBuilder.h"
#include "status/StatusDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ql::SetupBytes setup{};
  ql::StatusBytes status{};
  std::memcpy(setup.data(), data, std::min(size, setup.size()));
  if (size > setup.size()) std::memcpy(status.data(), data + setup.size(), std::min(size - setup.size(), status.size()));

  ql::SetupControls controls;
  ql::PortRowsShown rows;
  rows.serial.fill(true);
  ql::ShowReceivedSetup(setup, controls, rows);
  const int meterType = size > 0 ? static_cast<int8_t>(data[0]) : -1;
  ql::BuildSetupRecord(controls, meterType, setup);

  ql::StatusMemory memory;
  for (const bool moored : {false, true}) {
    ql::StatusDisplay display = ql::DecodeStatusToClock(status, memory, moored);
    const int64_t hostSeconds = size >= 8 ? static_cast<int64_t>(ql::GetU32LE(data + size - 4)) : 0;
    ql::DecodeStatusFromDrift(status, hostSeconds, display);
  }
  return 0;
}
