#include "DebugLog.h"

#include "RunRecordTypes.h"
#include "common/Format.h"

namespace ql {
namespace {

constexpr const char* kCrLf = "\r\n";

}  // namespace

DebugLog::DebugLog(const std::filesystem::path& folder, bool enabled, bool emptyWhenOff)
    : path_(folder / "log.dat"), enabled_(enabled) {
  if (enabled || emptyWhenOff) std::ofstream(path_, std::ios::binary | std::ios::trunc);
}

void DebugLog::Header(int type, int size) {
  if (!enabled_) return;
  std::string text = Format("Type %d Size %d ms %ld\n", type, size, 0L);
  const RunRecordKind& kind = RunRecordKindOf(type);
  if (kind.label == nullptr) {
    text += Format("Unknown Type %d Size %d 0x%04x", type, size, static_cast<unsigned>(size)) + kCrLf;
  } else if (kind.handling == RunHandling::kArchiveRecord) {
    text += Format(kind.label, size);  // its time line follows
  } else {
    text += Format(kind.label, size) + kCrLf;
  }
  Write(text);
}

void DebugLog::ArchiveTime(int32_t time, int32_t previousTime) {
  if (!enabled_) return;
  std::string text = Format("Type %d Size %d ms %ld\n", 998, 0, static_cast<long>(time));
  if (time > 0) {
    const long long tenths = int64_t{time} * 10;
    const long long since = (int64_t{time} - previousTime) * 10;
    text += Format("%cTime = %lld %lld", '\t', tenths, since);
  }
  Write(text + kCrLf);
}

void DebugLog::ExtraBytes(int count) {
  if (enabled_) Write(Format("Extra bytes after the archive record skipped: %d", count) + kCrLf);
}

void DebugLog::EndLine() {
  if (enabled_) Write(kCrLf);
}

void DebugLog::Skipped(uint64_t bytes) {
  if (enabled_) Write(Format("Skipped bytes: %llu", static_cast<unsigned long long>(bytes)) + kCrLf);
}

void DebugLog::Close() { file_.close(); }

// Opened for appending at the first entry, so an extraction with the log off leaves
// "log.dat" empty.
void DebugLog::Write(const std::string& text) {
  if (!file_.is_open()) file_.open(path_, std::ios::binary | std::ios::app);
  file_.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace ql
