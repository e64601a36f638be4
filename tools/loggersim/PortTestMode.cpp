#include "PortTestMode.h"

#include "common/ByteOrder.h"

namespace ql::sim {
namespace {

constexpr size_t kRecordSize = 24;

LineParams LineOf(uint32_t baud, uint16_t parity, uint16_t dataBits) {
  LineParams line;
  line.baud = static_cast<int>(baud);
  line.parity = parity == 2 ? 'E' : 'N';
  line.dataBits = dataBits;
  return line;
}

}  // namespace

bool PortTestMode::Enter(const std::vector<uint8_t>& record, const LineParams& linkBefore) {
  if (record.size() < kRecordSize || GetU16LE(&record[0]) != kMarker) return false;
  const int port = GetU16BE(&record[2]);
  const uint32_t testBaud = GetU32BE(&record[4]);
  const uint32_t hostBaud = GetU32BE(&record[8]);
  if (port < 1 || port > 9 || testBaud == 0 || hostBaud == 0 || hostBaud > 1'000'000) return false;
  if (!active_) linkBefore_ = linkBefore;
  active_ = true;
  port_ = port;
  testLine_ = LineOf(testBaud, GetU16BE(&record[12]), GetU16BE(&record[16]));
  linkLine_ = LineOf(hostBaud, GetU16BE(&record[14]), GetU16BE(&record[18]));
  return true;
}

LineParams PortTestMode::Leave() {
  active_ = false;
  return linkBefore_;
}

std::vector<uint8_t> PortTestMode::Echo(const uint8_t* bytes, int count) {
  std::vector<uint8_t> echo;
  for (int i = 0; i < count; ++i) {
    const uint8_t b = bytes[i];
    if ((b >= 0x20 && b < 0x7F) || b == '\r' || b == '\n' || b == '\t') echo.push_back(b);
  }
  return echo;
}

}  // namespace ql::sim
