#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "DeckRate.h"
#include "common/Colour.h"
#include "link/DeckConfig.h"

namespace ql {

class PortTable;

// One row of the PC-Logger page: what its controls hold and how they show.
struct DeckPortRow {
  static constexpr int kLowestId = 1;
  static constexpr int kHighestId = 4;
  static constexpr int kLowestPort = 1;
  static constexpr int kHighestPort = 9;

  int function = kDeckInActive;  // PortTypenCB: "In Active", "Meter Input", "Logger Output"
  int comIndex = 0;              // DeckPortnCB: 0 "OFF", 1..12 COM1..COM12
  int lineIndex = 0;             // DeckSetupnCB: line setting
  int loggerId = 2;              // UDDeckTypen: which logger's data to repeat
  int loggerPort = 1;            // UDOutPortn: which of its ports 1..9

  bool comVisible = false;   // DeckPortnCB and DeckSetupnCB
  bool idVisible = false;    // LBDeckTypen, UDDeckTypen
  bool portVisible = false;  // PCOutPortn, UDOutPortn
  Colour comColour = kWindowColour;
  Colour lineColour = kWindowColour;
  std::string idLabel = "Output Logger ID=2";  // LBDeckTypen
  std::string portLabel = "Port=1";            // PCOutPortn

  // The one-second port label (DSPCPortn on the Data Status page, PCPortn here).
  bool labelVisible = false;
  std::string label;
};

// The PC-Logger page: the eight deck port rows, the deck rate and the "Setup is Not
// Loaded" panel. The deck configuration in force (DeckConfig) changes only on Load.
struct DeckPorts {
  static constexpr int kPorts = DeckConfig::kDeckPorts;

  DeckPorts();

  std::array<DeckPortRow, kPorts + 1> rows{};  // deck ports 1..8; entry 0 unused
  DeckRate rate;
  bool recordPcTime = false;    // CBRecordPCTime "Add PC Time to Port 9 "
  bool notLoaded = false;       // PCLoggerPanel "Setup is Not Loaded"
  bool inHeaderVisible = false;   // PCInHdr
  bool outHeaderVisible = false;  // PCOutHdr
  bool labelsHeadingVisible = false;  // DSPCPorts

  // Bytes the PC logger read from each Meter Input port since the last one-second tick.
  std::array<uint32_t, kPorts + 1> input{};

  DeckPortRow& Row(int port) { return rows[static_cast<size_t>(port)]; }
  const DeckPortRow& Row(int port) const { return rows[static_cast<size_t>(port)]; }
};

// The rows show what their port functions use; "OFF" on a used port shows red.
void RefreshDeckRows(DeckPorts& deck);

// PortType1CBChange: any port function, COM or line box of a row changed.
void PortType1CBChange(DeckPorts& deck);
// UDDeckType1Click / UDOutPort1Click: an output logger ID or port up-down of a row.
void UDDeckType1Click(DeckPorts& deck, int port, int position);
void UDOutPort1Click(DeckPorts& deck, int port, int position);

// BTLoadDeckClick "Load New Setup": reopens the deck ports as the rows say and makes the
// rows the configuration in force, remembered for Restore.
void BTLoadDeckClick(DeckPorts& deck, DeckConfig& config, PortTable& ports);
// BTRestoreDeckClick "Restore Last Setup": the rows as last loaded.
void BTRestoreDeckClick(DeckPorts& deck, const DeckConfig& config);
// CloseAllSurfacePortsClick "Clear Setup": every port "In Active" (ports stay open
// until the next Load).
void CloseAllSurfacePortsClick(DeckPorts& deck);

}  // namespace ql
