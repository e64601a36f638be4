#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "serial/SerialDevice.h"

namespace ql::sim {

// The logger's single port test: one instrument port (1..8, or 9 for the analog inputs)
// connected straight through to the host link, which runs at the line the test record
// names until the host stops the test.
class PortTestMode {
 public:
  static constexpr uint16_t kMarker = 0x0A0A;

  // A port test record (24 bytes, checksum already checked). A record naming a port
  // outside 1..9 or a baud of 0 is not taken. `linkBefore` is the host link's line now,
  // given back by Leave.
  bool Enter(const std::vector<uint8_t>& record, const LineParams& linkBefore);
  // Ends the test; the line the host link returns to.
  LineParams Leave();

  bool Active() const { return active_; }
  int Port() const { return port_; }
  const LineParams& TestLine() const { return testLine_; }
  const LineParams& LinkLine() const { return linkLine_; }

  // What the instrument echoes of bytes typed to it: the text, not binary bytes.
  static std::vector<uint8_t> Echo(const uint8_t* bytes, int count);

 private:
  bool active_ = false;
  int port_ = 0;
  LineParams testLine_{};
  LineParams linkLine_{};
  LineParams linkBefore_{};
};

}  // namespace ql::sim
