#pragma once

#include <cstdint>

namespace ql {

// Framing of the packets the logger sends: the type byte twice, a body, and a
// little-endian checksum over everything before it.
inline constexpr int kMinimumPacket = 12;
inline constexpr int kRxBufferSize = 4096;
// A data packet (type 8) is 36 bytes around its payload of L bytes.
inline constexpr int kDataEnvelope = 36;
// The receive buffer completes data packets up to this payload; longer announced
// lengths can never be completed and are refused at once.
inline constexpr int kLongestPayload = kRxBufferSize - kDataEnvelope;

// Length of a fixed-size packet of type 1..7, 0 for any other type.
int PacketLength(int type);

// The sum of bytes 0..n-3, truncated to 16 bits, equals the little-endian word at n-2.
bool PacketChecksumOk(const uint8_t* bytes, int n);

// Framing decisions of ClassifyPacket.
enum Decision : int {
  kNoPacket = 0,             // nothing recognised at the buffer start: drop a byte
  kWaitForMore = -1,         // a packet has begun and is not complete yet
  kDataLengthRefused = -2,   // a data packet announced a payload the buffer cannot hold
  kDataChecksumBad = -3,     // a data packet completed in this call failed its checksum
  kHeldDataChecksumBad = -4  // the same for a data packet whose length was read earlier
};

// The framing decision over the bytes at the buffer start, checking the types in the
// order 8, 3, 5, 4, 1, 2, 6, 7. A data header whose nine port counts add up to more than
// the payload it announces is no packet start (kNoPacket). dataExpected carries the
// length of a data packet whose header has been read (36 while none). On
// kDataLengthRefused, refusedLength holds the announced payload length. Returns 1..8 for
// a good packet.
int ClassifyPacket(const uint8_t* buffer, int count, int& dataExpected, int& refusedLength);

}  // namespace ql
