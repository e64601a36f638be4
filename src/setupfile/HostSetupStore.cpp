#include "HostSetupStore.h"

#include <fstream>
#include <system_error>

#include "HostSetupText.h"
#include "common/Operator.h"

namespace ql {
namespace {

// More than the header and 22 records can take up: the check never reads further.
constexpr std::streamsize kLongestFile = 64 * 1024;

}  // namespace

bool StoreHostSetup(const std::filesystem::path& file, const HostSetupFile& setup, const TextWriter& write) {
  return ReplaceTextFile(file, FormatHostSetup(setup), write);
}

std::optional<HostSetupFile> ReadHostSetup(const std::filesystem::path& file, Operator& op) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
  std::ifstream in(file);
  if (!in) return std::nullopt;
  std::string text(static_cast<size_t>(kLongestFile), '\0');
  in.read(text.data(), kLongestFile);
  text.resize(static_cast<size_t>(in.gcount()));
  if (in.bad()) return std::nullopt;

  ParsedSetupFile parsed = ParseHostSetup(text);
  if (parsed.fault) op.Warning(parsed.fault->caption, parsed.fault->text);
  return parsed.file;
}

}  // namespace ql
