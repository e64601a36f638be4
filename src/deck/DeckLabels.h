#pragma once

#include <array>
#include <cstdint>

namespace ql {

class PortTable;
struct DeckConfig;
struct DeckPorts;

// The one-second step of the deck port labels: each open deck port's label shows the
// bytes it carried during the second, out (relayed logger data) or in (PC logger
// input), and both counters start again from zero.
void ShowDeckPortLabels(DeckPorts& deck, const DeckConfig& config, const PortTable& ports,
                        std::array<uint32_t, 9>& output);

}  // namespace ql
