#include "ArchiveRecords.h"

#include <system_error>
#include <vector>

#include "archive/ArchiveReader.h"
#include "archive/ArchiveRecord.h"
#include "common/ByteOrder.h"

namespace ql {
bool SplitRecord(const uint8_t* record, int dataLength, SourceRecord& out) {
  out.time = {GetI32LE(record + archive::kTime), record[archive::kTimeUnit]};
  out.sender = record[archive::kSender];
  out.sequence = record[archive::kSequence];
  const auto* data = reinterpret_cast<const char*>(record + archive::kHeaderSize);
  int offset = 0;
  for (int k = 0; k < archive::kSources; ++k) {
    const int count = GetI16LE(record + archive::kCounts + 2 * k);
    if (count < 0 || offset + count > dataLength) return false;
    out.sources[static_cast<size_t>(k)] = std::string_view(data + offset, static_cast<size_t>(count));
    offset += count;
  }
  return offset == dataLength;
}

ArchiveReading ReadArchiveRecords(const std::filesystem::path& path,
                                  const std::function<void(const SourceRecord&)>& visit) {
  ArchiveReading reading;
  ArchiveFile file;
  if (!file.Open(path.string(), ArchiveFile::Mode::Read)) {
    reading.reason = file.Reason();
    return reading;
  }
  reading.opened = true;
  std::vector<uint8_t> record(archive::kMaxData + archive::kEnvelope);
  for (;;) {
    const int64_t at = file.Position();
    const archive::RecordRead read = archive::ReadRecord(file, record.data(), static_cast<int>(record.size()));
    if (read.outcome != archive::ReadOutcome::kRecord) {
      if (read.outcome != archive::ReadOutcome::kEnd) {
        std::error_code error;
        const uintmax_t size = std::filesystem::file_size(path, error);
        reading.unreadBytes = error ? 0 : static_cast<uint64_t>(size) - static_cast<uint64_t>(at);
      }
      return reading;
    }
    SourceRecord seen;
    if (!SplitRecord(record.data(), read.dataLength, seen)) {
      ++reading.unsplit;
      continue;
    }
    ++reading.records;
    visit(seen);
  }
}

bool IsArchiveFile(const std::filesystem::path& path) {
  ArchiveFile file;
  if (!file.Open(path.string(), ArchiveFile::Mode::Read)) return false;
  std::vector<uint8_t> record(archive::kMaxData + archive::kEnvelope);
  SourceRecord seen;
  for (int k = 0; k < 2; ++k) {
    const archive::RecordRead read = archive::ReadRecord(file, record.data(), static_cast<int>(record.size()));
    if (read.outcome == archive::ReadOutcome::kEnd && k > 0) return true;
    if (read.outcome != archive::ReadOutcome::kRecord || !SplitRecord(record.data(), read.dataLength, seen)) return false;
  }
  return true;
}

}  // namespace ql
