#include "CommandFrame.h"

#include "SetupChecksum.h"
#include "common/ByteOrder.h"

namespace ql {

CommandFrame BuildCommandFrame(uint16_t code, uint16_t argB, uint32_t argA) {
  CommandFrame f{};
  PutU16LE(&f[0], 0x0202);
  PutU16LE(&f[2], code);
  PutU32LE(&f[4], argA);
  PutU16LE(&f[8], argB);
  SealRecord(f.data(), kCommandFrameSize);
  return f;
}

std::array<uint8_t, kPortTestRecordSize> EncodePortTestRecord(const PortTestRecord& r) {
  std::array<uint8_t, kPortTestRecordSize> b{};
  PutU16LE(&b[0], 0x0A0A);
  PutU16BE(&b[2], r.testPort);
  PutU32BE(&b[4], r.testBaud);
  PutU32BE(&b[8], r.hostBaud);
  PutU16BE(&b[12], r.testParity);
  PutU16BE(&b[14], r.hostParity);
  PutU16BE(&b[16], r.testDataBits);
  PutU16BE(&b[18], r.hostDataBits);
  SealRecord(b.data(), kPortTestRecordSize);
  return b;
}

}  // namespace ql
