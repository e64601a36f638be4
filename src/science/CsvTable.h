#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ql {

// One CSV file by RFC 4180: a header row, fields quoted where they hold a comma, a quote
// or a line end, rows ending in CR LF. It is written under "<name>.part" and takes its
// name only once it has been written and closed whole.
class CsvTable {
 public:
  CsvTable() = default;
  CsvTable(const CsvTable&) = delete;
  CsvTable& operator=(const CsvTable&) = delete;
  ~CsvTable();

  bool Open(const std::filesystem::path& path, const std::vector<std::string>& header);
  bool IsOpen() const { return file_ != nullptr; }
  void Field(std::string_view text);
  void EndRow();
  // True when the whole file was written and renamed; otherwise Reason() says why.
  bool Close();

  const std::string& Name() const { return name_; }
  const std::string& Reason() const { return reason_; }

 private:
  void Fail();

  std::FILE* file_ = nullptr;
  std::filesystem::path path_;
  std::string name_;
  std::string reason_;
  bool firstField_ = true;
  std::vector<char> buffer_;
};

// The shortest text that reads back as the same double ("12.941", "1.35").
std::string NumberText(double value);

}  // namespace ql
