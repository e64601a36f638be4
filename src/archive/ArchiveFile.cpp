#include "ArchiveFile.h"

#include <cerrno>
#include <cstring>

namespace ql {
namespace {

const char* ModeText(ArchiveFile::Mode mode) {
  switch (mode) {
    case ArchiveFile::Mode::Truncate: return "wb";
    case ArchiveFile::Mode::Append: return "ab";
    case ArchiveFile::Mode::Read: return "rb";
  }
  return "rb";
}

}  // namespace

bool ArchiveFile::Open(const std::string& name, Mode mode) {
  Close();
  errno = 0;
  file_ = std::fopen(name.c_str(), ModeText(mode));
  if (file_ == nullptr) {
    reason_ = errno != 0 ? std::strerror(errno) : "cannot be opened";
    return false;
  }
  std::setvbuf(file_, nullptr, _IONBF, 0);
  return true;
}

void ArchiveFile::Close() {
  if (file_ == nullptr) return;
  std::fclose(file_);
  file_ = nullptr;
}

bool ArchiveFile::Write(const uint8_t* bytes, int count) {
  if (file_ == nullptr || count < 0) return false;
  errno = 0;
  if (std::fwrite(bytes, 1, static_cast<size_t>(count), file_) == static_cast<size_t>(count)) return true;
  reason_ = errno != 0 ? std::strerror(errno) : "write failed";
  std::clearerr(file_);
  return false;
}

int ArchiveFile::Read(uint8_t* bytes, int count) {
  if (file_ == nullptr || count <= 0) return 0;
  const size_t n = std::fread(bytes, 1, static_cast<size_t>(count), file_);
  std::clearerr(file_);
  return static_cast<int>(n);
}

int64_t ArchiveFile::Position() const { return file_ != nullptr ? static_cast<int64_t>(std::ftell(file_)) : 0; }

bool ArchiveFile::Seek(int64_t position) {
  return file_ != nullptr && std::fseek(file_, static_cast<long>(position), SEEK_SET) == 0;
}

int64_t ArchiveFile::SeekEnd() {
  if (file_ == nullptr || std::fseek(file_, 0, SEEK_END) != 0) return 0;
  return Position();
}

}  // namespace ql
