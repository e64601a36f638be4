#pragma once

#include <string>

#include "SciencePlan.h"

namespace ql {

// The name a source's files and variables go by: "Port1" .. "Port8", "Port9" for the
// ninth source's text, "analog" for the logger's analog channels.
std::string SourceFileName(int source, SourceKind kind);
// "port1" .. "port9": the prefix of the source's NetCDF variables.
std::string SourceVariablePrefix(int source);
// "line" for text, "hex" for binary bytes.
const char* SourceTextColumn(SourceKind kind);

}  // namespace ql
