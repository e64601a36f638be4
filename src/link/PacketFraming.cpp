#include "PacketFraming.h"

#include <array>
#include <cstddef>

#include "archive/ArchiveRecord.h"
#include "common/ByteOrder.h"
#include "serial/SetupChecksum.h"

namespace ql {
namespace {

constexpr std::array<int, 9> kLengths = {0, 192, 12, 132, 1036, 64, 44, 58, 0};
constexpr std::array<int, 7> kFixedTypeOrder = {3, 5, 4, 1, 2, 6, 7};
constexpr int kSources = 9;
constexpr int kCountsOffset = 12;
// The records the host builds itself are held to what this buffer completes, so that
// replay can take every one of them.
static_assert(archive::kMaxBuiltData == kLongestPayload);

// A data record's nine port counts share out its data. A false start (in noise, or on
// the last checksum byte of a corrupted packet followed by the next packet's 08 08)
// reads its counts from bytes that were never counts, and they add up to far more than
// the length it announces. Such a start is refused as soon as its header is in, rather
// than holding up every packet behind it while seconds of data come in to fill a length
// read from the wrong bytes; and if its checksum matched by chance, it is no packet.
bool CountsFit(const uint8_t* buffer, int payload) {
  int counted = 0;
  for (int k = 0; k < kSources; ++k) counted += GetU16BE(buffer + kCountsOffset + 2 * k);
  return counted <= payload;
}

bool DataPacketOk(const uint8_t* buffer, int length) {
  return CountsFit(buffer, length - kDataEnvelope) && PacketChecksumOk(buffer, length);
}

int ClassifyDataPacket(const uint8_t* buffer, int count, int& dataExpected, int& refusedLength) {
  if (count < dataExpected) return kWaitForMore;
  if (dataExpected != kDataEnvelope) {
    if (DataPacketOk(buffer, dataExpected)) return 8;
    dataExpected = kDataEnvelope;
    return kHeldDataChecksumBad;
  }
  // Read unsigned: a length word with its top bit set is refused like any other
  // length the buffer cannot hold.
  const int payload = GetU16BE(buffer + 6);
  if (payload > kLongestPayload) {
    refusedLength = payload;
    return kDataLengthRefused;
  }
  if (!CountsFit(buffer, payload)) return kNoPacket;
  if (payload == 0) return DataPacketOk(buffer, kDataEnvelope) ? 8 : kNoPacket;
  dataExpected = payload + kDataEnvelope;
  if (count < dataExpected) return kWaitForMore;
  if (DataPacketOk(buffer, dataExpected)) return 8;
  // Read the next data packet start afresh, so that a good packet right behind a
  // corrupted one of another length is not lost.
  dataExpected = kDataEnvelope;
  return kDataChecksumBad;
}

}  // namespace

int PacketLength(int type) {
  return type >= 1 && type <= 7 ? kLengths[static_cast<size_t>(type)] : 0;
}

bool PacketChecksumOk(const uint8_t* bytes, int n) {
  return n >= 2 && setup_checksum(bytes, n - 2) == GetU16LE(bytes + n - 2);
}

int ClassifyPacket(const uint8_t* buffer, int count, int& dataExpected, int& refusedLength) {
  if (buffer[0] == 8 && buffer[1] == 8) {
    const int decision = ClassifyDataPacket(buffer, count, dataExpected, refusedLength);
    if (decision != kNoPacket) return decision;
  }
  for (const int type : kFixedTypeOrder) {
    if (buffer[0] != type || buffer[1] != type) continue;
    const int length = PacketLength(type);
    if (count < length) return kWaitForMore;
    if (PacketChecksumOk(buffer, length)) return type;
  }
  return kNoPacket;
}

}  // namespace ql
