#include "ExtractOutputs.h"

#include "RunFileName.h"
#include "common/SystemReason.h"

namespace ql {
namespace {

constexpr std::array<const char*, kOutCount> kStems = {"Port1", "Port2", "Port3",   "Port4",   "Port5",
                                                       "Port6", "Port7", "Port8",   "analog",  "archive",
                                                       "Battery", "timestp", "Summary"};
constexpr size_t kWriteSize = size_t{256} << 10;

}  // namespace

ExtractOutputs::ExtractOutputs(std::filesystem::path folder, std::string suffix)
    : folder_(std::move(folder)), suffix_(std::move(suffix)) {}

std::string ExtractOutputs::Name(int output) const { return RunOutputName(kStems[static_cast<size_t>(output)], suffix_); }

bool ExtractOutputs::Open(int output) {
  const auto k = static_cast<size_t>(output);
  if (files_[k].is_open()) return true;
  if (tried_[k]) return false;
  tried_[k] = true;
  files_[k].rdbuf()->pubsetbuf(nullptr, 0);  // the pending buffer stands in for the stream's
  errno = 0;
  files_[k].open(PathOf(Name(output)), std::ios::binary | std::ios::trunc);
  if (!files_[k].is_open()) {
    NoteFailure(output, "cannot be created");
    return false;
  }
  pending_[k].reserve(kWriteSize);
  created_.push_back(Name(output));
  return true;
}

void ExtractOutputs::Append(int output, const uint8_t* bytes, size_t count) {
  if (!Open(output) || count == 0) return;
  std::vector<uint8_t>& pending = pending_[static_cast<size_t>(output)];
  pending.insert(pending.end(), bytes, bytes + count);
  if (pending.size() >= kWriteSize) Flush(output);
}

void ExtractOutputs::Flush(int output) {
  std::vector<uint8_t>& pending = pending_[static_cast<size_t>(output)];
  std::ofstream& file = files_[static_cast<size_t>(output)];
  errno = 0;
  file.write(reinterpret_cast<const char*>(pending.data()), static_cast<std::streamsize>(pending.size()));
  pending.clear();
  if (!file) {
    // A full disk: note it once; the file keeps what reached it.
    NoteFailure(output, "write failed");
    file.clear();
  }
}

void ExtractOutputs::Close(int output) {
  std::ofstream& file = files_[static_cast<size_t>(output)];
  if (!file.is_open()) return;
  Flush(output);
  errno = 0;
  file.close();
  if (!file) NoteFailure(output, "close failed");
}

void ExtractOutputs::CloseAll() {
  for (int k = 0; k < kOutCount; ++k) Close(k);
}

void ExtractOutputs::NoteFailure(int output, const char* fallback) {
  const auto k = static_cast<size_t>(output);
  if (failedOnce_[k]) return;
  failedOnce_[k] = true;
  failed_.push_back({Name(output), SystemReason(fallback)});
}

}  // namespace ql
