#pragma once

#include <string>

namespace ql {

// printf-style formatting into a std::string. The window texts of this program are
// printf formats, so they are kept as such instead of being translated.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace ql
