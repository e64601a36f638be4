#pragma once

#include <cstdio>

namespace zrrun {

// Whether a stream goes to a terminal (progress is shown only there).
bool IsTerminal(std::FILE* stream);

}  // namespace zrrun
