#pragma once

#include <string>
#include <vector>

namespace zrrun {

// The command line: zrrun [--out DIR] [--choice N] [--debug] [--format csv|netcdf]... FILE...
struct Options {
  std::string outFolder = ".";
  int choice = 0;  // item index of "Extract File Types": 0 archive, 1 archive plus raw files
  bool debug = false;
  bool csv = false;     // --format csv
  bool netcdf = false;  // --format netcdf
  bool help = false;
  std::vector<std::string> runFiles;
  std::string error;  // set when the command line cannot be used
};

Options ParseOptions(const std::vector<std::string>& args);

extern const char* const kUsage;

}  // namespace zrrun
