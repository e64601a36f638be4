#pragma once

#include <optional>
#include <string>

#include "flash/RunSummary.h"

namespace ql {

// What the NetCDF file says about itself beyond its variables.
struct DatasetAttributes {
  std::string title;
  std::string station;  // the series' identifier
  std::string history;  // "<date_created> <program>: <input file>"
  std::string dateCreated;
  std::string timeCoverageStart;
  std::string timeCoverageEnd;
  std::optional<RunSummaryRecord> summary;  // the run's, when the input was a run file
};

}  // namespace ql
