#pragma once

#include <cstdint>
#include <string>

namespace ql {

class PlotState;

// The title a saved plot carries, so that the picture says what it shows on its own:
// the instrument's logger ID and port, the series drawn, the span and the UTC time of
// the right edge.
std::string PlotTitle(const PlotState& plot, int64_t rightEdgeUtcSeconds);

}  // namespace ql
