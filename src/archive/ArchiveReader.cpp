#include "ArchiveReader.h"

#include "ArchiveRecord.h"

namespace ql::archive {

RecordRead ReadRecord(ArchiveFile& file, uint8_t* record, int capacity) {
  RecordRead read;
  if (capacity < kHeaderSize) {
    read.outcome = ReadOutcome::kBadLength;
    return read;
  }
  const int got = file.Read(record, kHeaderSize);
  if (got < kHeaderSize) {
    read.outcome = got == 0 ? ReadOutcome::kEnd : ReadOutcome::kCutShort;
    return read;
  }
  read.dataLength = GetI16LE(record + kDataLength);
  if (read.dataLength < 0 || read.dataLength > kMaxData || read.dataLength + kEnvelope > capacity) {
    read.outcome = ReadOutcome::kBadLength;
    return read;
  }
  const int rest = read.dataLength + kTrailerSize;
  if (file.Read(record + kHeaderSize, rest) < rest) {
    read.outcome = ReadOutcome::kCutShort;
    return read;
  }
  read.outcome = ReadOutcome::kRecord;
  read.size = read.dataLength + kEnvelope;
  return read;
}

}  // namespace ql::archive
