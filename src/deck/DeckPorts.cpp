#include "DeckPorts.h"

#include <algorithm>

#include "common/Format.h"
#include "serial/LineSettings.h"
#include "serial/PortTable.h"

namespace ql {
namespace {

// A used port without a COM number or a line setting shows red.
Colour UsedBoxColour(int index) { return index > 0 ? kWindowColour : kRed; }

void RefreshRow(DeckPortRow& r) {
  switch (r.function) {
    case kDeckMeterInput:
      r.comVisible = true;
      r.idVisible = false;
      r.portVisible = false;
      break;
    case kDeckLoggerOutput:
      r.comVisible = true;
      r.idVisible = true;
      r.portVisible = true;
      r.idLabel = Format("Output Logger ID=%1d", r.loggerId);
      r.portLabel = Format("Port=%1d", r.loggerPort);
      break;
    default:
      r.comIndex = 0;
      r.lineIndex = 0;
      r.comVisible = false;
      r.idVisible = false;
      r.portVisible = false;
      return;
  }
  r.comColour = UsedBoxColour(r.comIndex);
  r.lineColour = UsedBoxColour(r.lineIndex);
}

}  // namespace

DeckPorts::DeckPorts() {
  // Ports 1..6 offer 9600 baud the first time they are put to use.
  for (int n = 1; n <= 6; ++n) Row(n).lineIndex = kLine9600;
}

void RefreshDeckRows(DeckPorts& deck) {
  for (int n = 1; n <= DeckPorts::kPorts; ++n) RefreshRow(deck.Row(n));
  const auto begin = deck.rows.begin() + 1;
  deck.inHeaderVisible = std::any_of(begin, deck.rows.end(), [](const DeckPortRow& r) { return r.labelVisible; });
  deck.outHeaderVisible = std::any_of(begin, deck.rows.end(), [](const DeckPortRow& r) { return r.portVisible; });
}

void PortType1CBChange(DeckPorts& deck) {
  deck.notLoaded = true;
  RefreshDeckRows(deck);
}

void UDDeckType1Click(DeckPorts& deck, int port, int position) {
  deck.notLoaded = true;
  DeckPortRow& r = deck.Row(port);
  r.loggerId = std::clamp(position, DeckPortRow::kLowestId, DeckPortRow::kHighestId);
  r.idLabel = Format("Output Logger ID=%d", r.loggerId);
}

void UDOutPort1Click(DeckPorts& deck, int port, int position) {
  deck.notLoaded = true;
  DeckPortRow& r = deck.Row(port);
  r.loggerPort = std::clamp(position, DeckPortRow::kLowestPort, DeckPortRow::kHighestPort);
  r.portLabel = Format("Port=%d", r.loggerPort);
}

void BTLoadDeckClick(DeckPorts& deck, DeckConfig& config, PortTable& ports) {
  for (int n = 1; n <= DeckPorts::kPorts; ++n) ports.ClosePort(n);
  for (int n = 1; n <= DeckPorts::kPorts; ++n) {
    const DeckPortRow& r = deck.Row(n);
    ports.ConfigurePort(n, r.comIndex, r.lineIndex);
    const DeckPortUse use{r.function, r.loggerId, r.loggerPort};
    config.working[static_cast<size_t>(n)] = use;
    config.restore[static_cast<size_t>(n)] = DeckRestoreEntry{use, r.comIndex, r.lineIndex};
  }
  deck.notLoaded = false;
}

void BTRestoreDeckClick(DeckPorts& deck, const DeckConfig& config) {
  deck.notLoaded = true;
  for (int n = 1; n <= DeckPorts::kPorts; ++n) {
    const DeckRestoreEntry& e = config.restore[static_cast<size_t>(n)];
    DeckPortRow& r = deck.Row(n);
    r.function = e.use.function;
    // The up-downs cannot go below 1: a never-loaded copy restores their lowest position.
    r.loggerId = std::clamp(e.use.loggerId, DeckPortRow::kLowestId, DeckPortRow::kHighestId);
    r.loggerPort = std::clamp(e.use.loggerPort, DeckPortRow::kLowestPort, DeckPortRow::kHighestPort);
    r.comIndex = e.comIndex;
    r.lineIndex = e.lineIndex;
  }
  RefreshDeckRows(deck);
}

void CloseAllSurfacePortsClick(DeckPorts& deck) {
  for (int n = 1; n <= DeckPorts::kPorts; ++n) {
    deck.Row(n).function = kDeckInActive;
    PortType1CBChange(deck);
  }
}

}  // namespace ql
