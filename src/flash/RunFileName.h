#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace ql {

// The run number of a run file as its outputs carry it: "%03d" of the decimal number
// at the start of the text after the last "." of the file's name (after its first
// character when the name has no "."). run.007 gives "007", run.1234 gives "1234";
// cast.dat has no number and gives nothing. Only the name is read, never the folders
// above it, so a dotted folder cannot lend its number to the run. A partial run file
// is read without its ".part": run.007.part gives "007".
std::optional<std::string> RunNumberSuffix(const std::filesystem::path& runFile);

// What a run file is called while its upload has not finished: "run.007.part".
inline constexpr const char* kPartialRunEnding = ".part";
std::filesystem::path PartialRunFile(const std::filesystem::path& runFile);
bool IsPartialRunFile(const std::filesystem::path& runFile);

// A path as text (UTF-8), for messages; never fails on names the system's code page
// cannot spell.
std::string PathText(const std::filesystem::path& path);

// The outputs of a run: "Port1" and "007" give "Port1.007".
std::string RunOutputName(const char* stem, const std::string& suffix);

}  // namespace ql
