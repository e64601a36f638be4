#include "Packets.h"

#include "common/ByteOrder.h"
#include "link/PacketFraming.h"
#include "serial/SetupChecksum.h"

namespace ql::test {

Bytes FixedPacket(int type, const Bytes& bodyAfterType) {
  Bytes p(static_cast<size_t>(PacketLength(type)), 0);
  p[0] = p[1] = static_cast<uint8_t>(type);
  for (size_t i = 0; i < bodyAfterType.size() && i + 2 < p.size() - 2; ++i) p[i + 2] = bodyAfterType[i];
  SealRecord(p.data(), static_cast<int>(p.size()));
  return p;
}

Bytes DataPacket(const DataPacketFields& fields) {
  std::string data;
  for (const std::string& s : fields.sources) data += s;
  Bytes p(30, 0);
  p[0] = p[1] = 8;
  p[2] = fields.format;
  p[3] = fields.timeUnit;
  p[4] = fields.sender;
  p[5] = fields.sequence;
  PutU16BE(&p[6], static_cast<uint16_t>(data.size()));
  PutU32BE(&p[8], fields.time);
  for (size_t k = 0; k < 9; ++k) PutU16BE(&p[12 + 2 * k], static_cast<uint16_t>(fields.sources[k].size()));
  p.insert(p.end(), data.begin(), data.end());
  p.insert(p.end(), fields.trailer.begin(), fields.trailer.end());
  p.resize(p.size() + 2);
  SealRecord(p.data(), static_cast<int>(p.size()));
  return p;
}

Bytes DataHeader(uint16_t payload) {
  Bytes p(12, 0);
  p[0] = p[1] = 8;
  PutU16BE(&p[6], payload);
  return p;
}

void BreakChecksum(Bytes& packet) { packet[packet.size() - 2] ^= 0x5A; }

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

}  // namespace ql::test
