#include "PacketFraming.h"

#include <array>
#include <cstddef>

#include "common/ByteOrder.h"
#include "serial/SetupChecksum.h"

namespace ql {
namespace {

constexpr std::array<int, 9> kLengths = {0, 192, 12, 132, 1036, 64, 44, 58, 0};
constexpr std::array<int, 7> kFixedTypeOrder = {3, 5, 4, 1, 2, 6, 7};

int ClassifyDataPacket(const uint8_t* buffer, int count, int& dataExpected, int& refusedLength) {
  if (count < dataExpected) return kWaitForMore;
  if (dataExpected != kDataEnvelope) {
    if (PacketChecksumOk(buffer, dataExpected)) return 8;
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
  if (payload == 0) return PacketChecksumOk(buffer, kDataEnvelope) ? 8 : kNoPacket;
  dataExpected = payload + kDataEnvelope;
  if (count < dataExpected) return kWaitForMore;
  if (PacketChecksumOk(buffer, dataExpected)) return 8;
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
