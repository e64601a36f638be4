#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/ByteOrder.h"
#include "link/PacketFraming.h"
#include "loggersim/HostInput.h"
#include "serial/SetupChecksum.h"

namespace ql::sim::test {

struct Packet {
  int type = 0;
  std::vector<uint8_t> bytes;

  // Status fields.
  int State() const { return GetI16LE(&bytes[4]); }
  int RunNumber() const { return GetI16LE(&bytes[6]); }
  int32_t LoggerSeconds() const { return GetI32LE(&bytes[8]); }
  uint32_t FileBytes(int i) const { return GetU32LE(&bytes[72 + 4 * static_cast<size_t>(i)]); }
  // Data record fields (header big-endian on the wire).
  int Sender() const { return bytes[4]; }
  int Sequence() const { return bytes[5]; }
  int DataLength() const { return GetU16BE(&bytes[6]); }
  uint32_t Time() const { return GetU32BE(&bytes[8]); }
  int Count(int source) const { return GetU16BE(&bytes[12 + 2 * static_cast<size_t>(source)]); }
};

// Cuts a whole captured stream into packets with the host's own framing decisions;
// whatever they do not recognise is stepped over a byte at a time, as the host does.
inline std::vector<Packet> Split(const std::vector<uint8_t>& stream) {
  std::vector<Packet> packets;
  size_t at = 0;
  int dataExpected = kDataEnvelope;
  while (stream.size() - at >= static_cast<size_t>(kMinimumPacket)) {
    int refused = 0;
    const int decision = ClassifyPacket(&stream[at], static_cast<int>(stream.size() - at), dataExpected, refused);
    if (decision >= 1 && decision <= 8) {
      const size_t n = static_cast<size_t>(decision == 8 ? dataExpected : PacketLength(decision));
      packets.push_back({decision, std::vector<uint8_t>(stream.begin() + static_cast<std::ptrdiff_t>(at),
                                                        stream.begin() + static_cast<std::ptrdiff_t>(at + n))});
      at += n;
    } else {
      ++at;  // nothing more will arrive, so a start still waiting cannot complete either
    }
    dataExpected = decision == 8 || decision == kWaitForMore ? kDataEnvelope : dataExpected;
  }
  return packets;
}

inline std::vector<Packet> OfType(const std::vector<Packet>& packets, int type) {
  std::vector<Packet> out;
  for (const Packet& p : packets) {
    if (p.type == type) out.push_back(p);
  }
  return out;
}

inline std::vector<uint8_t> Frame(uint16_t code, uint32_t argA = 0, uint16_t argB = 0) {
  std::vector<uint8_t> f(12, 0);
  f[0] = f[1] = 2;
  PutU16LE(&f[2], code);
  PutU32LE(&f[4], argA);
  PutU16LE(&f[8], argB);
  SealRecord(f.data(), 12);
  return f;
}

inline std::vector<uint8_t> Text(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace ql::sim::test
