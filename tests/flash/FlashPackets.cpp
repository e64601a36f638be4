#include "FlashFixture.h"
#include "support/Packets.h"

namespace ql::test {

std::vector<uint8_t> DirectoryPacket(const DirectoryFields& f) {
  Bytes body(60, 0);  // from offset 2
  PutU16LE(&body[0], static_cast<uint16_t>(f.run));
  PutU16LE(&body[2], static_cast<uint16_t>(f.mode));
  for (size_t i = 0; i < 9; ++i) PutU16LE(&body[4 + 2 * i], static_cast<uint16_t>(f.device[i]));
  for (size_t i = 0; i < 8; ++i) PutU16LE(&body[22 + 2 * i], static_cast<uint16_t>(f.analog[i]));
  for (size_t i = 0; i < 4; ++i) PutU16LE(&body[38 + 2 * i], static_cast<uint16_t>(f.pumps[i]));
  PutU32LE(&body[46], static_cast<uint32_t>(f.start));
  PutU32LE(&body[50], f.size);
  PutU16LE(&body[54], static_cast<uint16_t>(f.startMv));
  PutU16LE(&body[56], static_cast<uint16_t>(f.endMv));
  return FixedPacket(5, body);
}

std::vector<uint8_t> UploadBlock(uint16_t block, const std::string& data, std::optional<int> count) {
  Bytes body(6, 0);
  PutU16LE(&body[0], block);
  PutU16LE(&body[4], static_cast<uint16_t>(count.value_or(static_cast<int>(data.size()))));
  body.insert(body.end(), data.begin(), data.end());
  return FixedPacket(4, body);
}

}  // namespace ql::test
