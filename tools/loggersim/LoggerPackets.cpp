#include "LoggerPackets.h"

#include "common/ByteOrder.h"
#include "serial/SetupChecksum.h"

namespace ql::sim {

uint32_t FirmwareWord(int major, int minor, int month, int day, int year) {
  return (static_cast<uint32_t>(major & 0xF) << 28) | (static_cast<uint32_t>(minor & 0xFF) << 20) |
         (static_cast<uint32_t>(month & 0xF) << 16) | (static_cast<uint32_t>(day & 0xFF) << 8) |
         static_cast<uint32_t>(year & 0xFF);
}

Bytes BuildStatusPacket(const StatusFields& s) {
  Bytes p(kStatusLength, 0);
  p[0] = p[1] = 3;
  PutU16LE(&p[4], static_cast<uint16_t>(s.state));
  PutU16LE(&p[6], static_cast<uint16_t>(s.runNumber));
  PutU32LE(&p[8], static_cast<uint32_t>(s.loggerSeconds));
  PutU32LE(&p[12], s.secondsLeft);
  PutU16LE(&p[18], static_cast<uint16_t>(s.meterType));
  PutU16LE(&p[20], static_cast<uint16_t>(s.loggerId));
  PutU16LE(&p[22], s.serialMask);
  PutU16LE(&p[24], s.analogMask);
  PutU16LE(&p[26], s.pumpMask);
  for (size_t i = 0; i < s.portRate.size(); ++i) PutU16LE(&p[28 + 2 * i], static_cast<uint16_t>(s.portRate[i]));
  PutU16LE(&p[46], s.powerBits);
  PutU16LE(&p[48], static_cast<uint16_t>(s.currentMillivolts));
  PutU16LE(&p[50], static_cast<uint16_t>(s.startMillivolts));
  PutU16LE(&p[52], static_cast<uint16_t>(s.endMillivolts));
  PutU16LE(&p[54], static_cast<uint16_t>(s.runStopSwitch));
  for (size_t i = 0; i < s.analogMillivolts.size(); ++i) {
    PutU16LE(&p[56 + 2 * i], static_cast<uint16_t>(s.analogMillivolts[i]));
  }
  for (size_t i = 0; i < s.fileBytes.size(); ++i) PutU32LE(&p[72 + 4 * i], s.fileBytes[i]);
  SealRecord(p.data(), kStatusLength);
  return p;
}

Bytes BuildDataPacket(const DataRecordFields& r) {
  size_t dataLength = 0;
  for (const std::string& source : r.sources) dataLength += source.size();
  Bytes p(30, 0);
  p[0] = p[1] = 8;
  p[2] = r.format;
  p[3] = r.timeUnit;
  p[4] = r.sender;
  p[5] = r.sequence;
  PutU16BE(&p[6], static_cast<uint16_t>(dataLength));
  PutU32BE(&p[8], r.time);
  for (size_t k = 0; k < r.sources.size(); ++k) {
    PutU16BE(&p[12 + 2 * k], static_cast<uint16_t>(r.sources[k].size()));
  }
  for (const std::string& source : r.sources) p.insert(p.end(), source.begin(), source.end());
  p.insert(p.end(), r.trailer.begin(), r.trailer.end());
  p.resize(p.size() + 2);
  SealRecord(p.data(), static_cast<int>(p.size()));
  return p;
}

Bytes BuildShortMessage(int16_t word) {
  Bytes p(kShortMessageLength, 0);
  p[0] = p[1] = 2;
  PutU16LE(&p[2], static_cast<uint16_t>(word));
  SealRecord(p.data(), kShortMessageLength);
  return p;
}

}  // namespace ql::sim
