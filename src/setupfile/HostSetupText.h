#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "HostSetupFile.h"

namespace ql {

// Why a host setup file was refused: the warning box's caption and text.
struct SetupFileFault {
  std::string caption;
  std::string text;
  bool operator==(const SetupFileFault&) const = default;
};

struct ParsedSetupFile {
  std::optional<HostSetupFile> file;  // set when every record was read
  std::optional<SetupFileFault> fault;
};

// Checks a whole host setup file, header and all 22 records, without acting on any of
// it. The first fault ends the check.
ParsedSetupFile ParseHostSetup(std::string_view text);

// The file's text: the header with the host version, then records 1..22.
std::string FormatHostSetup(const HostSetupFile& file);

}  // namespace ql
