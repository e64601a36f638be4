#pragma once

// What the link benchmarks share: a logger port whose far end is a prepared byte
// stream arriving as the benchmark says, and numbered packets whose recognition is
// checked against what was sent.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "common/ByteOrder.h"
#include "loggersim/LoggerPackets.h"
#include "serial/SerialDevice.h"

namespace ql::bench {

// 115200 baud, eight data bits, no parity, one stop bit.
inline constexpr double kLineBytesPerSecond = 11520.0;

// The bytes the logger sends and how far they have got.
struct BenchLine {
  std::vector<uint8_t> bytes;
  size_t arrived = 0;  // bytes that have reached the host's port
  size_t read = 0;     // bytes the host has taken from it

  void ArriveUpTo(size_t n) { arrived = std::max(arrived, std::min(n, bytes.size())); }
  void ArriveAll() { arrived = bytes.size(); }
};

class BenchDevice : public SerialDevice {
 public:
  explicit BenchDevice(BenchLine& line) : line_(line) {}
  bool Open(const std::string&) override { return true; }
  void ApplyLine(const LineParams&) override {}
  int Read(uint8_t* buffer, int maxBytes) override {
    const size_t n = std::min(line_.arrived - line_.read, static_cast<size_t>(maxBytes));
    std::copy_n(line_.bytes.begin() + static_cast<long>(line_.read), n, buffer);
    line_.read += n;
    return static_cast<int>(n);
  }
  int Waiting() const override { return static_cast<int>(line_.arrived - line_.read); }
  void Write(const uint8_t*, int) override {}  // relayed data and commands go nowhere
  bool Close() override { return true; }

 private:
  BenchLine& line_;
};

inline SerialDeviceFactory BenchFactory(BenchLine& line) {
  return [&line] { return std::make_unique<BenchDevice>(line); };
}

// Data packets from sender 2 carry their number in the time field; the stream notes
// where each one ends, so a benchmark knows how many have fully arrived.
struct NumberedStream {
  std::vector<uint8_t> bytes;
  std::vector<size_t> dataEnds;
  uint32_t statusPackets = 0;

  void Data(int payload) {
    sim::DataRecordFields fields;
    fields.sender = 2;
    fields.sequence = static_cast<uint8_t>(dataEnds.size());
    fields.time = static_cast<uint32_t>(dataEnds.size());
    fields.sources[0] = std::string(static_cast<size_t>(payload), 'd');
    if (payload >= 2) fields.sources[0].replace(fields.sources[0].size() - 2, 2, "\r\n");
    Append(sim::BuildDataPacket(fields));
    dataEnds.push_back(bytes.size());
  }
  void Status() {
    Append(sim::BuildStatusPacket({}));
    ++statusPackets;
  }
  void Append(const std::vector<uint8_t>& more) { bytes.insert(bytes.end(), more.begin(), more.end()); }
  uint32_t DataPackets() const { return static_cast<uint32_t>(dataEnds.size()); }
  // Data packets whose last byte is among the first n bytes.
  uint32_t DataArrivedBy(size_t n) const {
    return static_cast<uint32_t>(std::upper_bound(dataEnds.begin(), dataEnds.end(), n) - dataEnds.begin());
  }
};

// Sees every data record the receiver recognises, before anything turns it around, and
// checks that they are the packets sent, each once and in order.
struct RecognitionCheck {
  uint32_t next = 0;
  uint32_t wrong = 0;

  void Seen(const uint8_t* record) {
    const uint32_t number = GetU32BE(record + 6);
    if (number != next) ++wrong;
    next = number + 1;
  }
  // Prints the difference and returns false when the host did not recognise exactly
  // the sent data packets.
  bool Matches(const char* what, uint32_t sent) const {
    if (wrong == 0 && next == sent) return true;
    std::fprintf(stderr, "\n*** %s: recognised data packets differ from those sent: %u sent, "
                 "last recognised number %u, %u out of order ***\n\n", what, sent, next == 0 ? 0 : next - 1, wrong);
    return false;
  }
};

}  // namespace ql::bench
