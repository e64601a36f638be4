#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ArchiveRecords.h"
#include "ObservationWriter.h"
#include "flash/RunSummary.h"

namespace ql {

// Time-stamped CSV and CF NetCDF files of one run or archive, made from its archive
// records (for a run, the archive its extraction wrote) and the run's battery records.
struct ScienceRequest {
  std::filesystem::path archive;
  std::filesystem::path battery;  // empty when there is none
  std::optional<RunSummaryRecord> summary;
  std::filesystem::path outputFolder;
  std::string tag;          // in the CSV names: "Port1.<tag>.csv"
  std::string datasetName;  // the NetCDF file is "<datasetName>.nc"
  bool csv = false;
  bool netcdf = false;
  std::string program;      // "zrrun 7.06", for the file's history
  std::string dateCreated;  // ISO 8601 UTC
};

struct ScienceReport {
  ArchiveReading archive;
  uint64_t batteryLeftover = 0;
  std::vector<std::string> written;
  std::vector<FailedOutput> failed;

  bool Failed() const { return !archive.opened || !failed.empty(); }
  bool Damaged() const { return archive.Damaged() || batteryLeftover > 0; }
  // "wrote Port1.007.csv, run.007.nc", then what failed and the damage met.
  std::string Describe() const;
};

// Whether this build can write NetCDF (it has the netCDF library).
bool NetcdfAvailable();

// Reads the inputs twice: once to learn which sources have data and which number
// columns they carry, once to write the rows.
ScienceReport ExportScience(const ScienceRequest& request);

}  // namespace ql
