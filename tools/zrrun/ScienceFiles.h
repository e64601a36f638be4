#pragma once

#include <string>

#include "ZrrunOptions.h"
#include "flash/ExtractionReport.h"

namespace zrrun {

// Writes the science files of a run just extracted, from the archive and battery files
// the extraction wrote; prints one line and returns false when a file failed or damage
// was met.
bool WriteRunScienceFiles(const Options& options, const std::string& runFile, const ql::ExtractionReport& report);

// The science files of an archive given on the command line ("archive.007" gives
// "Port1.007.csv" .., "archive.007.nc"; other names go whole into the CSV names).
bool WriteArchiveScienceFiles(const Options& options, const std::string& archiveFile);

}  // namespace zrrun
