#include "CsvTable.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <system_error>

#include "common/SystemReason.h"

namespace ql {
namespace {

constexpr size_t kFileBuffer = 1 << 16;

}  // namespace

CsvTable::~CsvTable() {
  if (file_ != nullptr) std::fclose(file_);
}

bool CsvTable::Open(const std::filesystem::path& path, const std::vector<std::string>& header) {
  path_ = path;
  name_ = path.filename().string();
  errno = 0;
  file_ = std::fopen((path.string() + ".part").c_str(), "wb");
  if (file_ == nullptr) {
    reason_ = SystemReason("cannot be created");
    return false;
  }
  buffer_.resize(kFileBuffer);
  std::setvbuf(file_, buffer_.data(), _IOFBF, buffer_.size());
  for (const std::string& cell : header) Field(cell);
  EndRow();
  return true;
}

void CsvTable::Field(std::string_view text) {
  if (file_ == nullptr) return;
  if (!firstField_) std::fputc(',', file_);
  firstField_ = false;
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    std::fwrite(text.data(), 1, text.size(), file_);
    return;
  }
  std::fputc('"', file_);
  for (const char c : text) {
    if (c == '"') std::fputc('"', file_);
    std::fputc(c, file_);
  }
  std::fputc('"', file_);
}

void CsvTable::EndRow() {
  if (file_ == nullptr) return;
  std::fputs("\r\n", file_);
  firstField_ = true;
  if (std::ferror(file_)) Fail();
}

void CsvTable::Fail() {
  if (reason_.empty()) reason_ = SystemReason("write failed");
  std::fclose(file_);
  file_ = nullptr;
}

bool CsvTable::Close() {
  if (file_ == nullptr) return false;
  errno = 0;
  const bool flushed = std::fflush(file_) == 0 && !std::ferror(file_);
  if (!flushed) reason_ = SystemReason("write failed");
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!flushed) return false;
  if (!closed) {
    reason_ = SystemReason("close failed");
    return false;
  }
  std::error_code error;
  std::filesystem::rename(path_.string() + ".part", path_, error);
  if (error) reason_ = error.message();
  return !error;
}

std::string NumberText(double value) {
  char text[32];
  const std::to_chars_result r = std::to_chars(text, text + sizeof text, value);
  return std::string(text, r.ptr);
}

}  // namespace ql
