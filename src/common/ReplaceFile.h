#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <string_view>

namespace ql {

// Writes the text to its stream; false when the write failed part-way.
using TextWriter = std::function<bool(std::ostream& out, std::string_view text)>;
bool WriteAll(std::ostream& out, std::string_view text);

// Replaces `file` with a text file holding `text`, written in the platform's text mode.
// The text goes to a temporary file in the same folder, which then takes the file's
// name: a write that fails leaves the old file whole and no temporary file behind.
bool ReplaceTextFile(const std::filesystem::path& file, std::string_view text, const TextWriter& write = WriteAll);

}  // namespace ql
