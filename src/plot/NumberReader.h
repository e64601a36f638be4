#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ql {

// A number found in an instrument's text line, with the name it goes by: the word
// before it ("T" of "T=12.941"), or "#n" for the n-th number of the line where no word
// stands before it.
struct NamedNumber {
  std::string name;
  double value;
};

// Reads every number of one line of instrument text: signs, decimals and exponents
// ("-1.5e-3"); commas, blanks, '=' and ':' separate. A line without numbers gives
// nothing. Names are cut to kLongestName characters.
std::vector<NamedNumber> ReadNumbers(std::string_view line);

inline constexpr size_t kLongestName = 16;

}  // namespace ql
