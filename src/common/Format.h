#pragma once

#include <string>

// MinGW formats with its own C99 printf, not the Windows runtime's, so its formats are
// checked as such.
#ifdef __MINGW32__
#define QL_PRINTF_FORMAT(f, a) __attribute__((format(gnu_printf, f, a)))
#else
#define QL_PRINTF_FORMAT(f, a) __attribute__((format(printf, f, a)))
#endif

namespace ql {

// printf-style formatting into a std::string. The window texts of this program are
// printf formats, so they are kept as such instead of being translated.
std::string Format(const char* format, ...) QL_PRINTF_FORMAT(1, 2);

}  // namespace ql
