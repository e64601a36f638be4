#include "RunFileName.h"

#include <cctype>
#include <cstdint>
#include <cstring>

#include "common/Format.h"

namespace ql {
namespace {

// A decimal number read from the start of the text the way the C library reads "%d":
// blanks, an optional sign, then at least one digit; nothing if it would not fit an int.
std::optional<int> LeadingNumber(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  const size_t firstDigit = i;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > INT32_MAX) return std::nullopt;
  }
  if (i == firstDigit) return std::nullopt;
  return static_cast<int>(negative ? -value : value);
}

}  // namespace

std::optional<std::string> RunNumberSuffix(const std::filesystem::path& runFile) {
  std::string name = PathText(runFile.filename());
  if (IsPartialRunFile(runFile)) name.resize(name.size() - std::strlen(kPartialRunEnding));
  const size_t dot = name.rfind('.');
  const std::string tail = dot != std::string::npos ? name.substr(dot + 1) : (name.empty() ? name : name.substr(1));
  const std::optional<int> number = LeadingNumber(tail);
  if (!number) return std::nullopt;
  return Format("%03d", *number);
}

std::filesystem::path PartialRunFile(const std::filesystem::path& runFile) {
  std::filesystem::path part = runFile;
  part += kPartialRunEnding;
  return part;
}

bool IsPartialRunFile(const std::filesystem::path& runFile) {
  const std::string name = PathText(runFile.filename());
  const size_t ending = std::strlen(kPartialRunEnding);
  return name.size() > ending && name.compare(name.size() - ending, ending, kPartialRunEnding) == 0;
}

std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string RunOutputName(const char* stem, const std::string& suffix) { return std::string(stem) + "." + suffix; }

}  // namespace ql
