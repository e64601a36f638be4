#include "HostSetupText.h"

#include <charconv>
#include <limits>
#include <vector>

#include "common/Format.h"

namespace ql {
namespace {

constexpr std::string_view kHeader = "ZR Host Version=";
constexpr size_t kLongestLine = 499;  // longer lines are read in pieces of this size
constexpr int kMostValues = 20;

// The file, one line at a time, as a line reader with a fixed buffer takes it.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}

  std::optional<std::string_view> Next() {
    if (pos_ >= text_.size()) return std::nullopt;
    size_t end = pos_;
    while (end < text_.size() && end - pos_ < kLongestLine && text_[end] != '\n') ++end;
    std::string_view line = text_.substr(pos_, end - pos_);
    pos_ = end < text_.size() && text_[end] == '\n' ? end + 1 : end;
    // A file from a PC that ends its lines with CR LF reads the same.
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
  }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && line[i] == ' ') ++i;
    const size_t start = i;
    while (i < line.size() && line[i] != ' ') ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
  return fields;
}

// A whole field of decimal digits with an optional sign. Numbers too large for the
// 16-bit values of the file stop at the largest it holds.
std::optional<int16_t> Number(std::string_view field) {
  if (!field.empty() && field.front() == '+') field.remove_prefix(1);
  if (field.empty()) return std::nullopt;
  const bool negative = field.front() == '-';
  const std::string_view digits = negative ? field.substr(1) : field;
  if (digits.empty()) return std::nullopt;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  long long value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error == std::errc::result_out_of_range || value < std::numeric_limits<int16_t>::min() ||
      value > std::numeric_limits<int16_t>::max()) {
    return negative ? std::numeric_limits<int16_t>::min() : std::numeric_limits<int16_t>::max();
  }
  return static_cast<int16_t>(value);
}

SetupFileFault InvalidRecord(std::string_view line, const char* code) {
  return {Format("Invalid Record in *.ZRH File - The ZRH File was NOT Loaded %s", code), std::string(line)};
}

// Reads record `number` with `count` values from `line` into `values`.
std::optional<SetupFileFault> ReadRecord(std::string_view line, int number, int count, std::vector<int16_t>& values) {
  const std::vector<std::string_view> fields = Fields(line);
  const std::optional<int16_t> found = fields.empty() ? std::nullopt : Number(fields[0]);
  if (!found) return InvalidRecord(line, "E1");
  if (*found != number) {
    return SetupFileFault{"Bad Line Number in *.ZRH File - The ZRH File was Not Loaded E2",
                          Format("Looking for Line %d, Found Line %d", number, *found)};
  }
  const std::optional<int16_t> lineCount = fields.size() > 1 ? Number(fields[1]) : std::nullopt;
  if (!lineCount || *lineCount < 0 || *lineCount > kMostValues || *lineCount != count) {
    return SetupFileFault{Format("Invalid Record in *.ZRH, j %d count %d lcount %d", lineCount ? 1 : 0, count,
                                 lineCount ? *lineCount : 0),
                          std::string(line)};
  }
  values.clear();
  for (int i = 0; i < count; ++i) {
    const size_t at = static_cast<size_t>(i) + 2;
    const std::optional<int16_t> value = at < fields.size() ? Number(fields[at]) : std::nullopt;
    if (!value) return InvalidRecord(line, "E4");
    values.push_back(*value);
  }
  return std::nullopt;
}

bool NamesCurrentVersion(std::string_view header) {
  return header.substr(0, kHeader.size()) == kHeader &&
         header.substr(kHeader.size(), 4) == HostSetupFile::kVersion;
}

// What a record line carries after its values.
const char* LineEnd(int record) {
  switch (record) {
    case 4: return " ";  // its one text field, always empty
    case 13: return " ";
    case 22: return " Last.plt";
    default: return "";
  }
}

}  // namespace

ParsedSetupFile ParseHostSetup(std::string_view text) {
  LineReader reader(text);
  HostSetupFile file;
  const std::optional<std::string_view> header = reader.Next();
  file.currentVersion = header && NamesCurrentVersion(*header);
  for (int r = 1; r <= HostSetupFile::kRecords; ++r) {
    const std::optional<std::string_view> line = reader.Next();
    if (!line) {
      return {std::nullopt, SetupFileFault{"Incomplete *.ZRH File - The ZRH File was NOT Loaded",
                                           Format("Looking for Line %d, Found the End of the File", r)}};
    }
    const int count = HostSetupFile::Count(r, file.currentVersion);
    if (auto fault = ReadRecord(*line, r, count, file.values[static_cast<size_t>(r)])) return {std::nullopt, fault};
  }
  return {file, std::nullopt};
}

std::string FormatHostSetup(const HostSetupFile& file) {
  std::string text = Format("ZR Host Version=%4.2f\n", 7.06);
  for (int r = 1; r <= HostSetupFile::kRecords; ++r) {
    const std::vector<int16_t>& values = file.values[static_cast<size_t>(r)];
    text += Format("%d %d", r, static_cast<int>(values.size()));
    for (int16_t v : values) text += Format(" %d", v);
    text += LineEnd(r);
    text += '\n';
  }
  return text;
}

}  // namespace ql
