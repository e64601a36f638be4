#include "NumberReader.h"

#include <cctype>
#include <algorithm>
#include <cstdlib>

#include "common/Format.h"

namespace ql {
namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '_'; }

// Length of the number that starts at `at`, or 0: [sign] digits [. digits] [e [sign] digits],
// or [sign] . digits.
size_t NumberLength(std::string_view s, size_t at) {
  size_t i = at;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  const size_t mantissa = i;
  while (i < s.size() && IsDigit(s[i])) ++i;
  bool digits = i > mantissa;
  if (i < s.size() && s[i] == '.') {
    const size_t fraction = ++i;
    while (i < s.size() && IsDigit(s[i])) ++i;
    digits = digits || i > fraction;
    if (!digits) return 0;
  }
  if (!digits) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t e = i + 1;
    if (e < s.size() && (s[e] == '+' || s[e] == '-')) ++e;
    const size_t exponent = e;
    while (e < s.size() && IsDigit(s[e])) ++e;
    if (e > exponent) i = e;
  }
  return i - at;
}

}  // namespace

std::vector<NamedNumber> ReadNumbers(std::string_view line) {
  std::vector<NamedNumber> numbers;
  std::string word;  // the name since the previous number
  size_t i = 0;
  while (i < line.size()) {
    if (IsLetter(line[i])) {
      // A name: a letter, then letters and digits ("T2", "Cond_1").
      size_t end = i;
      while (end < line.size() && (IsLetter(line[end]) || IsDigit(line[end]))) ++end;
      word = std::string(line.substr(i, std::min(end - i, kLongestName)));
      i = end;
    } else if (const size_t length = NumberLength(line, i); length > 0) {
      const std::string text(line.substr(i, length));
      numbers.push_back({word.empty() ? Format("#%zu", numbers.size() + 1) : word, std::strtod(text.c_str(), nullptr)});
      word.clear();
      i += length;
    } else {
      ++i;  // a separator
    }
  }
  return numbers;
}

}  // namespace ql
