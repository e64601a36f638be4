#pragma once

#include <string>
#include <string_view>

namespace ql {

// Bytes an instrument sent are text when every one is printable ASCII, a tab or a line
// end; anything else is binary data and is written as hex.
bool IsText(std::string_view bytes);

// "1f0a..": two lower-case hex digits per byte.
std::string Hex(std::string_view bytes);

// Calls line(text) for each non-empty line of the bytes: lines end at LF, a CR before it
// (or a lone CR) is dropped, and the last piece counts as a line although no end follows.
template <typename F>
void ForEachLine(std::string_view bytes, F line) {
  size_t start = 0;
  for (size_t i = 0; i <= bytes.size(); ++i) {
    if (i < bytes.size() && bytes[i] != '\n' && bytes[i] != '\r') continue;
    if (i > start) line(bytes.substr(start, i - start));
    start = i + 1;
  }
}

}  // namespace ql
