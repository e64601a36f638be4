#include "SourceNames.h"

#include "common/Format.h"

namespace ql {

std::string SourceFileName(int source, SourceKind kind) {
  return kind == SourceKind::kAnalog ? "analog" : Format("Port%d", source + 1);
}

std::string SourceVariablePrefix(int source) { return Format("port%d", source + 1); }

const char* SourceTextColumn(SourceKind kind) { return kind == SourceKind::kBinary ? "hex" : "line"; }

}  // namespace ql
