#include <algorithm>

#include "ArchiveReader.h"
#include "ArchiveRecord.h"
#include "Recording.h"
#include "common/Format.h"
#include "common/Operator.h"
#include "serial/SetupChecksum.h"

namespace ql {
namespace {

constexpr int kTypeBytes = 2;
constexpr int kChecksumBytes = 2;
constexpr uint8_t kDataPacketType = 8;
// Ticks from one record to the next are this divided by the speed setting.
constexpr int kPacingTicks = 19;

}  // namespace

int Recording::ReadReplayPacket(uint8_t* buffer, int capacity) {
  replay.continuation = false;
  // 1, 2: pacing.
  if (--replay.countdown > 0) return 0;
  replay.countdown = kPacingTicks / std::clamp(replay.speed, ReplayState::kSlowest, ReplayState::kFastest);

  // 3: the end of the file stops a single replay and rewinds a continuous one.
  byteCounter = file.Position();
  if (byteCounter >= replay.fileSize) {
    if (state != kReplayContinuous) {
      replay.stopRequest = true;
      return 0;
    }
    file.Seek(0);
    byteCounter = 0;
    replay.lastHandedOn.reset();
  }

  // 4 to 7: the type bytes, then the header, the data and the trailer. A length no record
  // can have, or one whose packet the buffer cannot hold, ends the replay here rather than
  // reading past the record or the buffer.
  if (capacity < kTypeBytes + archive::kHeaderSize + kChecksumBytes) return 0;
  buffer[0] = buffer[1] = kDataPacketType;
  uint8_t* record = buffer + kTypeBytes;
  const archive::RecordRead read = archive::ReadRecord(file, record, capacity - kTypeBytes - kChecksumBytes);
  if (read.outcome == archive::ReadOutcome::kBadLength) {
    RefuseReplayLength(read.dataLength);
    return 0;
  }
  if (read.outcome != archive::ReadOutcome::kRecord) {
    replay.stopRequest = true;
    return 0;
  }
  const ReplayState::RecordKey key{record[archive::kSender], record[archive::kSequence],
                                  GetU32LE(record + archive::kTime)};
  archive::SwapHeaderOrder(record);
  const int packetLength = kTypeBytes + read.size + kChecksumBytes;
  replay.continuation = replay.lastHandedOn == key;
  replay.lastHandedOn = key;

  // 8, 9: the checksum the receiver checks.
  SealRecord(buffer, packetLength);
  return packetLength;
}

void Recording::RefuseReplayLength(int length) {
  replay.stopRequest = true;
  const std::string where =
      Format("The record at byte %lld of %s", static_cast<long long>(byteCounter), currentName.c_str());
  if (length >= 0 && length <= archive::kMaxData) {
    op_.Warning("Replay Stopped", Format("%s has %d data bytes, more than replay can take (%d).", where.c_str(), length,
                                         archive::kMaxBuiltData));
  } else {
    op_.Warning("Replay Stopped",
                Format("%s has the data length %d, which no archive record can have.", where.c_str(), length));
  }
}

}  // namespace ql
