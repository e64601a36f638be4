#include "RunFileReader.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "RunRecordTypes.h"
#include "common/SystemReason.h"

namespace ql {
namespace {

// Large enough to read a big run in few calls; small files get a buffer their size,
// but never less than the largest record.
constexpr size_t kLargestBuffer = size_t{1} << 20;
constexpr size_t kSmallestBuffer = 4096;
static_assert(kSmallestBuffer >= kRunHeaderSize + kRunMaxBody);

}  // namespace

RunFileReader::RunFileReader(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (error) {
    reason_ = error.message();
    return;
  }
  if (std::filesystem::is_directory(status)) {
    reason_ = "it is a folder";
    return;
  }
  if (!std::filesystem::is_regular_file(status)) {
    reason_ = "it is not a plain file";
    return;
  }
  errno = 0;
  in_.open(path, std::ios::binary);
  open_ = in_.is_open();
  if (!open_) reason_ = SystemReason("cannot be opened");
  const uintmax_t size = std::filesystem::file_size(path, error);
  size_ = error ? 0 : static_cast<uint64_t>(size);
  buffer_.resize(std::clamp(static_cast<size_t>(std::min<uint64_t>(size_, kLargestBuffer)), kSmallestBuffer,
                            kLargestBuffer));
}

const uint8_t* RunFileReader::Peek(size_t n, size_t& available) {
  if (end_ - begin_ < n && !atEnd_) Refill();
  available = std::min(n, end_ - begin_);
  return buffer_.data() + begin_;
}

void RunFileReader::Consume(size_t n) { begin_ += std::min(n, end_ - begin_); }

// Moves what is left to the front and reads behind it until the buffer is full or the
// file ends. Records are smaller than the buffer, so one refill always suffices.
void RunFileReader::Refill() {
  const size_t left = end_ - begin_;
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, left);
    bufferStart_ += begin_;
    begin_ = 0;
    end_ = left;
  }
  while (end_ < buffer_.size() && !atEnd_) {
    in_.read(reinterpret_cast<char*>(buffer_.data() + end_), static_cast<std::streamsize>(buffer_.size() - end_));
    const auto got = static_cast<size_t>(in_.gcount());
    end_ += got;
    if (!in_) {
      atEnd_ = true;
      readFailed_ = in_.bad();
    }
  }
  if (onRefill) onRefill(bufferStart_ + end_);
}

}  // namespace ql
