#include "DeckLabels.h"

#include "DeckPorts.h"
#include "common/Format.h"
#include "serial/PortTable.h"

namespace ql {

void ShowDeckPortLabels(DeckPorts& deck, const DeckConfig& config, const PortTable& ports,
                        std::array<uint32_t, 9>& output) {
  const std::array<uint32_t, DeckPorts::kPorts + 1> input = deck.input;
  deck.input.fill(0);
  // The heading stays while any port label shows under it.
  deck.labelsHeadingVisible = false;
  for (int k = 1; k <= DeckPorts::kPorts; ++k) {
    DeckPortRow& row = deck.Row(k);
    const auto i = static_cast<size_t>(k);
    row.labelVisible = ports.IsPortOpen(k);
    deck.labelsHeadingVisible = deck.labelsHeadingVisible || row.labelVisible;
    switch (config.working[i].function) {
      case kDeckLoggerOutput: row.label = Format("Port %d:  Out %4u", k, output[i]); break;
      case kDeckMeterInput: row.label = Format("Port %d:  In  %4u", k, input[i]); break;
      default: row.label = Format("Port %d:", k); break;
    }
  }
  output.fill(0);
}

}  // namespace ql
