#pragma once

#include "ArchiveFile.h"

namespace ql::archive {

// What reading the next record of an archive file met.
enum class ReadOutcome {
  kRecord,     // a whole record, header little-endian as stored
  kEnd,        // no more bytes: the file ends between records
  kCutShort,   // the file ends inside a record
  kBadLength,  // a data length no record can have, or one the caller has no room for
};

struct RecordRead {
  ReadOutcome outcome = ReadOutcome::kEnd;
  int dataLength = 0;  // N of the header once it was read
  int size = 0;        // N + 32 of a whole record
};

// Reads the record at the file's position into `record` (room for `capacity` bytes).
// Replay and the science files read archives through this one reader.
RecordRead ReadRecord(ArchiveFile& file, uint8_t* record, int capacity);

}  // namespace ql::archive
