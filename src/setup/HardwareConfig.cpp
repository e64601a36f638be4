#include "HardwareConfig.h"

#include <algorithm>

#include "SetupControls.h"
#include "common/ByteOrder.h"
#include "serial/SetupChecksum.h"

namespace ql {
namespace {

constexpr int kSerialNumberAt = 2;
constexpr int kMeterTypeAt = 4;
constexpr int kStatusLedAt = 6;
constexpr int kRunStopAt = 8;
constexpr int kRelayTableAt = 14;  // relay[0..20], indexed by the logger's port number
constexpr int kUnusedRelaySlots[] = {0, 9};

uint8_t* RelayField(HardwareBytes& record, int port) { return &record[static_cast<size_t>(kRelayTableAt + 2 * port)]; }

void PutI16(HardwareBytes& record, int at, int value) {
  PutU16LE(&record[static_cast<size_t>(at)], static_cast<uint16_t>(static_cast<int16_t>(value)));
}

int GetI16(const HardwareBytes& record, int at) { return GetI16LE(&record[static_cast<size_t>(at)]); }

}  // namespace

void BuildHardwareConfig(const HardwareControls& c, HardwareBytes& record) {
  PutU16LE(&record[0], kHardwareMarker);
  PutI16(record, kMeterTypeAt, ShownIndex(c.meterType, kMeterTypeItems.size()));
  PutI16(record, kSerialNumberAt, c.serialNumber);
  PutI16(record, kStatusLedAt, ShownIndex(c.statusLed, kStatusLedItems.size()));
  PutI16(record, kRunStopAt, ShownIndex(c.runStopSwitch, kRunStopItems.size()));
  for (int slot : kUnusedRelaySlots) PutU16LE(RelayField(record, slot), 0);
  for (int box = 0; box < kRelayBoxCount; ++box) {
    const int relay = ShownIndex(c.relays[static_cast<size_t>(box)], kRelayItems.size());
    PutU16LE(RelayField(record, RelayPort(box)), static_cast<uint16_t>(static_cast<int16_t>(relay)));
  }
  SealRecord(record.data(), kHardwareConfigLength);
}

HardwareControls ReadHardwareConfig(const HardwareBytes& record) {
  HardwareControls c;
  c.meterType = ShownIndex(GetI16(record, kMeterTypeAt), kMeterTypeItems.size());
  c.serialNumber = std::clamp(GetI16(record, kSerialNumberAt), 0, kSerialNumberMax);
  c.runStopSwitch = ShownIndex(GetI16(record, kRunStopAt), kRunStopItems.size());
  c.statusLed = ShownIndex(GetI16(record, kStatusLedAt), kStatusLedItems.size());
  for (int box = 0; box < kRelayBoxCount; ++box) {
    c.relays[static_cast<size_t>(box)] = ShownIndex(GetI16(record, kRelayTableAt + 2 * RelayPort(box)), kRelayItems.size());
  }
  return c;
}

bool HardwareConfigSendable(const HardwareControls& c) {
  return HasSelection(c.meterType, kMeterTypeItems.size()) && c.serialNumber > 0;
}

}  // namespace ql
