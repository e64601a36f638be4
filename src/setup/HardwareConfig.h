#pragma once

#include <array>
#include <cstdint>

namespace ql {

// The logger's hardware configuration: the meter it is built into, its serial number,
// the run/stop switch and status LED fitted, and the power relay of every port. 58
// little-endian bytes, sent as they stand and returned in packets of type 7.
inline constexpr int kHardwareConfigLength = 58;
using HardwareBytes = std::array<uint8_t, kHardwareConfigLength>;
inline constexpr uint16_t kHardwareMarker = 0x0707;

// Relay boxes of the page: RelaySP1..RelaySP8, RelayAP1..RelayAP7, RelayPP1..RelayPP4.
inline constexpr int kRelayBoxCount = 19;
inline constexpr int kSerialNumberMax = 1000;  // UDSerialNumber runs 0..1000

inline constexpr std::array<const char*, 4> kMeterTypeItems = {"None Selected", "bx5Plus", "QL9", "EXT Plus"};
inline constexpr std::array<const char*, 3> kStatusLedItems = {"No Status LED", "SX-28 Status LED",
                                                               "Direct Status LED"};
inline constexpr std::array<const char*, 4> kRunStopItems = {"No Switch", "SX-28 Normal Polarity",
                                                             "SX-28 Reverse Polarity", "Direct Input Switch"};
inline constexpr std::array<const char*, 10> kRelayItems = {"None",    "Relay 1", "Relay 2", "Relay 3", "Relay 4",
                                                            "Relay 5", "Relay 6", "Relay 7", "Relay 8",
                                                            "Self Powered"};

// The hardware page's controls. Combo indexes are -1 while a combo shows no item.
struct HardwareControls {
  int meterType = -1;     // DeviceTypeCB
  int serialNumber = 0;   // UDSerialNumber
  int runStopSwitch = 0;  // RunStopCB
  int statusLed = 0;      // StatusLEDCB
  std::array<int, kRelayBoxCount> relays{};  // every box at "None"
};

// The logger's port number (1..8 serial, 10..16 analog, 17..20 pumps) of a relay box.
constexpr int RelayPort(int box) { return box < 8 ? box + 1 : box + 2; }

// BuildHardwareConfig: the record from the controls, with the checksum. Bytes 10..13
// keep whatever the record held; a combo showing no item is stored as -1.
void BuildHardwareConfig(const HardwareControls& controls, HardwareBytes& record);

// The controls a received or loaded record shows. A negative serial number shows as 0
// and one above the up-down's range as 1000; an index outside its list leaves the combo
// without an item.
HardwareControls ReadHardwareConfig(const HardwareBytes& record);

// Send Hardware Configuration needs a meter type (any item, "None Selected" too) and a
// serial number above 0.
bool HardwareConfigSendable(const HardwareControls& controls);

}  // namespace ql
