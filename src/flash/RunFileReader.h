#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace ql {

// Reads a run file once from start to end through one large buffer. The extraction
// looks at the bytes in place: a header is peeked, then either consumed with its body
// or stepped over by one byte while the reader looks for the next good header.
class RunFileReader {
 public:
  explicit RunFileReader(const std::filesystem::path& path);

  bool IsOpen() const { return open_; }
  // Why the file could not be opened: "No such file or directory", "it is a folder", ...
  const std::string& Reason() const { return reason_; }
  uint64_t Size() const { return size_; }
  // Offset in the file of the next byte not yet consumed.
  uint64_t Position() const { return bufferStart_ + begin_; }
  // The file stopped giving bytes before its end (an I/O error).
  bool ReadFailed() const { return readFailed_; }

  // Up to n unconsumed bytes in place; fewer only at the end of the file. The view
  // lasts until the next call.
  const uint8_t* Peek(size_t n, size_t& available);
  void Consume(size_t n);

  // Called with the position reached each time the buffer is refilled.
  std::function<void(uint64_t position)> onRefill;

 private:
  void Refill();

  std::ifstream in_;
  bool open_ = false;
  std::string reason_;
  bool atEnd_ = false;
  bool readFailed_ = false;
  uint64_t size_ = 0;
  std::vector<uint8_t> buffer_;
  uint64_t bufferStart_ = 0;  // file offset of buffer_[0]
  size_t begin_ = 0;          // first unconsumed byte in buffer_
  size_t end_ = 0;            // one past the last byte read into buffer_
};

}  // namespace ql
