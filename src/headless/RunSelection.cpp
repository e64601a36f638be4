#include "RunSelection.h"

#include <sstream>

#include "flash/RunDirectory.h"

namespace ql {
namespace {

std::optional<int> RunNumber(const std::string& text) {
  if (text.empty() || text.size() > 4) return std::nullopt;
  int n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  if (n >= RunDirectory::kEntries) return std::nullopt;
  return n;
}

}  // namespace

std::optional<std::set<int>> ParseRunSelection(const std::string& text, std::string& error) {
  std::set<int> runs;
  std::stringstream in(text);
  for (std::string item; std::getline(in, item, ',');) {
    const size_t dash = item.find('-');
    const auto first = RunNumber(item.substr(0, dash));
    const auto last = dash == std::string::npos ? first : RunNumber(item.substr(dash + 1));
    if (!first || !last || *last < *first) {
      error = "\"" + item + "\" is not a run number (0..511) or a range such as 3-5";
      return std::nullopt;
    }
    for (int run = *first; run <= *last; ++run) runs.insert(run);
  }
  if (runs.empty()) {
    error = "no run numbers given";
    return std::nullopt;
  }
  return runs;
}

}  // namespace ql
