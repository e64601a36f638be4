#include "ArchiveFile.h"

#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "common/SystemReason.h"

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

// Windows keeps long at 32 bits, so positions past 2 GB take its 64-bit calls there.
int64_t Tell(std::FILE* file) {
#ifdef _WIN32
  return _ftelli64(file);
#else
  return std::ftell(file);
#endif
}

bool SeekTo(std::FILE* file, int64_t position, int origin) {
#ifdef _WIN32
  return _fseeki64(file, position, origin) == 0;
#else
  return std::fseek(file, static_cast<long>(position), origin) == 0;
#endif
}

// Cuts the last `count` bytes off the file: the part of a write the disk took before it
// filled, so that the file keeps whole records only.
void CutBack(std::FILE* file, size_t count) {
#ifdef _WIN32
  struct _stat64 st {};
  if (count > 0 && _fstat64(_fileno(file), &st) == 0) _chsize_s(_fileno(file), st.st_size - static_cast<int64_t>(count));
#else
  struct stat st {};
  if (count > 0 && ::fstat(fileno(file), &st) == 0) {
    [[maybe_unused]] const int cut = ::ftruncate(fileno(file), st.st_size - static_cast<off_t>(count));
  }
#endif
}

}  // namespace

bool ArchiveFile::Open(const std::string& name, Mode mode) {
  Close();
  errno = 0;
  file_ = std::fopen(name.c_str(), ModeText(mode));
  if (file_ == nullptr) {
    reason_ = SystemReason("cannot be opened");
    return false;
  }
  // Reading goes through the C library's buffer: a record is read in two calls.
  if (mode != Mode::Read) std::setvbuf(file_, nullptr, _IONBF, 0);
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
  const size_t written = std::fwrite(bytes, 1, static_cast<size_t>(count), file_);
  if (written == static_cast<size_t>(count)) return true;
  reason_ = SystemReason("write failed");
  std::clearerr(file_);
  // A write that fails leaves nothing of itself behind: what follows when the disk has
  // room again starts on a record's first byte.
  CutBack(file_, written);
  return false;
}

int ArchiveFile::Read(uint8_t* bytes, int count) {
  if (file_ == nullptr || count <= 0) return 0;
  const size_t n = std::fread(bytes, 1, static_cast<size_t>(count), file_);
  std::clearerr(file_);
  return static_cast<int>(n);
}

int64_t ArchiveFile::Position() const { return file_ != nullptr ? Tell(file_) : 0; }

bool ArchiveFile::Seek(int64_t position) { return file_ != nullptr && SeekTo(file_, position, SEEK_SET); }

int64_t ArchiveFile::SeekEnd() {
  if (file_ == nullptr || !SeekTo(file_, 0, SEEK_END)) return 0;
  return Position();
}

}  // namespace ql
