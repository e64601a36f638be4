#pragma once

#include <optional>
#include <set>
#include <string>

namespace ql {

// Run numbers as a person types them: "1,3-5" is runs 1, 3, 4 and 5. Nothing when the
// text is not such a list (the reason in `error`).
std::optional<std::set<int>> ParseRunSelection(const std::string& text, std::string& error);

}  // namespace ql
