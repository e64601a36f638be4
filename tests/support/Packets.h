#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ql::test {

using Bytes = std::vector<uint8_t>;

// A fixed-length packet of type 1..7: type twice, the body bytes given (zero-filled to
// the type's length), and a good checksum.
Bytes FixedPacket(int type, const Bytes& bodyAfterType = {});

// A data packet (type 8) as the logger sends it: header fields big-endian, the nine
// port counts, the data of each source in count order, the trailer, a good checksum.
struct DataPacketFields {
  uint8_t format = 1;
  uint8_t timeUnit = 0;
  uint8_t sender = 2;
  uint8_t sequence = 0;
  uint32_t time = 0;
  std::array<std::string, 9> sources{};  // data of port 1..8 and the ninth source
  std::string trailer = "####";
};
Bytes DataPacket(const DataPacketFields& fields);

// A data packet header that announces `payload` bytes, with nothing behind it.
Bytes DataHeader(uint16_t payload);

void BreakChecksum(Bytes& packet);
Bytes Concat(std::initializer_list<Bytes> parts);

}  // namespace ql::test
