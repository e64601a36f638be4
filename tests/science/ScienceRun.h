#pragma once

#include <string>
#include <vector>

#include "../flash/RunFileBytes.h"
#include "science/ScienceExport.h"

namespace ql::test {

// A run file extracted the way zrrun does it (raw choice) and its science files made
// from the archive and battery files the extraction wrote, all in one folder.
ScienceReport ExtractWithScience(const TempFolder& folder, const std::string& runName, const Bytes& run);

// The rows of an RFC 4180 file, the header first.
std::vector<std::vector<std::string>> ReadCsv(const std::filesystem::path& path);

// Two 16-bit big-endian millivolt values per channel, as the logger stores analog data.
std::string Millivolts(std::initializer_list<int> values);

}  // namespace ql::test
