#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace ql {

// The one file recording and replay use: a plain binary stream, written without a buffer
// of its own, so that each Write is one write to the file and a failure shows at once.
class ArchiveFile {
 public:
  enum class Mode { Truncate, Append, Read };

  ArchiveFile() = default;
  ArchiveFile(const ArchiveFile&) = delete;
  ArchiveFile& operator=(const ArchiveFile&) = delete;
  ~ArchiveFile() { Close(); }

  // Closes what is open first. On failure the reason is kept for the operator.
  bool Open(const std::string& name, Mode mode);
  void Close();
  bool IsOpen() const { return file_ != nullptr; }

  // All or nothing: a write the disk takes only in part is cut off again.
  bool Write(const uint8_t* bytes, int count);
  // Bytes actually read, 0 at the end or on failure.
  int Read(uint8_t* bytes, int count);
  int64_t Position() const;
  bool Seek(int64_t position);
  // Length of the open file; the position is left at its end.
  int64_t SeekEnd();

  // Why the last open or write failed, in the system's words.
  const std::string& Reason() const { return reason_; }

 private:
  std::FILE* file_ = nullptr;
  std::string reason_;
};

}  // namespace ql
