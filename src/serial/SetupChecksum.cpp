#include "SetupChecksum.h"

#include "common/ByteOrder.h"

namespace ql {

uint16_t setup_checksum(const uint8_t* bytes, int count) {
  uint32_t sum = 0;
  for (int i = 0; i < count; ++i) sum += bytes[i];
  return static_cast<uint16_t>(sum);
}

void SealRecord(uint8_t* record, int size) {
  PutU16LE(record + size - 2, setup_checksum(record, size - 2));
}

}  // namespace ql
