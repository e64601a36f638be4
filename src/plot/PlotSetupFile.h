#pragma once

#include <filesystem>
#include <string>

#include "PlotState.h"

namespace ql {

// "Last.plt" beside last.zrh: the chosen series, span and instrument of the live plot.
inline constexpr const char* kPlotSetupFileName = "Last.plt";

// Each returns an empty string on success, else the text of the box that says why.
std::string StorePlotSetup(const PlotState& plot, const std::filesystem::path& file);
std::string LoadPlotSetup(PlotState& plot, const std::filesystem::path& file);

}  // namespace ql
