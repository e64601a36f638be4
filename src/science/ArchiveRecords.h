#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "RecordTime.h"

namespace ql {

// One archive record seen through its header: when, from whom, and the bytes of each of
// its nine sources (ports 1..8, then the ninth source: analog data or host text).
struct SourceRecord {
  RecordTime time;
  int sender = 0;
  int sequence = 0;
  std::array<std::string_view, 9> sources{};
};

// Sees one record (archive order, `dataLength` data bytes after its header): false when
// its port counts do not add up to its data length.
bool SplitRecord(const uint8_t* record, int dataLength, SourceRecord& out);

// What reading an archive met besides whole records.
struct ArchiveReading {
  bool opened = false;
  std::string reason;          // why the file could not be opened
  uint64_t records = 0;        // records handed on
  uint64_t unsplit = 0;        // records whose port counts do not add up to their length
  uint64_t unreadBytes = 0;    // after a length no record has, or a record cut short
  bool Damaged() const { return unsplit > 0 || unreadBytes > 0; }
};

// Reads an archive file (records as recording, replay and extraction know them) from
// start to end with one record in memory, handing each record whose counts add up to
// `visit`. Reading stops at a data length no record can have: nothing after it can be
// found again.
ArchiveReading ReadArchiveRecords(const std::filesystem::path& path,
                                  const std::function<void(const SourceRecord&)>& visit);

// An archive rather than a run file: its first record (and the second, when there is
// one) holds together as an archive record, port counts adding up to the data length.
// A run file's typed records do not line up that way.
bool IsArchiveFile(const std::filesystem::path& path);

}  // namespace ql
