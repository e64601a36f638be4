#include "PortTest.h"

#include "common/Operator.h"
#include "serial/CommandSender.h"
#include "setup/PortLineSetting.h"

namespace ql {

std::optional<PortTestRecord> PortTestRecordFor(const PortTestChoice& choice, Operator& op) {
  // 1. The port under test: 1..8, 9 for the analog ports.
  PortTestRecord record;
  record.testPort = static_cast<uint16_t>((choice.port < 0 ? 0 : choice.port) + 1);
  // 2. The line of the port under test.
  const WireLine test = LineSettingToWire(choice.testSetup);
  if (test.baud == 0) {
    op.Warning("Test Port Error", "Please a Test Port Setup");
    return std::nullopt;
  }
  // 3. The line of the logger's host link while the test runs.
  const WireLine hostLink = LineSettingToWire(choice.hostSetup);
  if (hostLink.baud == 0) {
    op.Warning("Test Port Error", "Please a Host Port Setup");
    return std::nullopt;
  }
  // 4. The fields; the encoder puts them big-endian.
  record.testBaud = static_cast<uint32_t>(test.baud);
  record.testParity = static_cast<uint16_t>(test.parity);
  record.testDataBits = static_cast<uint16_t>(test.dataBits);
  record.hostBaud = static_cast<uint32_t>(hostLink.baud);
  record.hostParity = static_cast<uint16_t>(hostLink.parity);
  record.hostDataBits = static_cast<uint16_t>(hostLink.dataBits);
  return record;
}

void SendPortTest(CommandSender& sender, const PortTestRecord& record) {
  const auto bytes = EncodePortTestRecord(record);
  sender.SendRecord(bytes.data(), kPortTestRecordSize);
}

}  // namespace ql
