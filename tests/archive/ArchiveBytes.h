#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "archive/ArchiveRecord.h"
#include "common/ByteOrder.h"
#include "support/Packets.h"

namespace ql::test {

// An archive record as files hold it (header little-endian): the given data in port 1,
// or split over the sources as counted.
inline std::vector<uint8_t> ArchiveRecordBytes(uint8_t sender, uint8_t sequence, const std::string& data,
                                               uint32_t time = 0) {
  std::vector<uint8_t> r(archive::kHeaderSize, 0);
  r[archive::kFormat] = 1;
  r[archive::kSender] = sender;
  r[archive::kSequence] = sequence;
  PutU16LE(&r[archive::kDataLength], static_cast<uint16_t>(data.size()));
  PutU32LE(&r[archive::kTime], time);
  PutU16LE(&r[archive::kCounts], static_cast<uint16_t>(data.size()));
  r.insert(r.end(), data.begin(), data.end());
  r.insert(r.end(), {'#', '#', '#', '#'});
  return r;
}

}  // namespace ql::test
