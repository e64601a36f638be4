// Feeds arbitrary bytes to the packet receiver in arbitrary chunk sizes and checks that
// it never reads outside its buffer, never loses track of its count and never stalls.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "common/ByteOrder.h"
#include "common/SilentOperator.h"
#include "link/Receiver.h"
#include "serial/PortTable.h"

namespace {

// Hands out the fuzz input in chunks whose sizes the input itself chooses.
struct ChunkedInput {
  const uint8_t* data = nullptr;
  size_t size = 0;
  size_t pos = 0;
};

class ChunkDevice : public ql::SerialDevice {
 public:
  explicit ChunkDevice(ChunkedInput& in) : in_(in) {}
  bool Open(const std::string&) override { return true; }
  void ApplyLine(const ql::LineParams&) override {}
  int Read(uint8_t* buffer, int maxBytes) override {
    if (in_.pos >= in_.size) return 0;
    const size_t want = 1 + in_.data[in_.pos++] * 17u;  // 1..4336 bytes
    size_t n = std::min({want, in_.size - in_.pos, static_cast<size_t>(maxBytes)});
    for (size_t i = 0; i < n; ++i) buffer[i] = in_.data[in_.pos + i];
    in_.pos += n;
    return static_cast<int>(n);
  }
  // What is left of the input waits at the port, so a long input drives the receiver
  // into working off a backlog.
  int Waiting() const override { return static_cast<int>(std::min<size_t>(in_.size - in_.pos, 1 << 20)); }
  void Write(const uint8_t*, int) override {}
  bool Close() override { return true; }

 private:
  ChunkedInput& in_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ChunkedInput input{data, size, 0};
  ql::SilentOperator person;
  ql::PortTable ports([&input] { return std::make_unique<ChunkDevice>(input); }, person);
  ports.ConfigurePort(0, 1, 6);
  ql::Receiver receiver(ports);
  uint32_t delivered = 0;
  receiver.hooks().dispatch = [&](int type, const uint8_t* p) {
    if (!ql::PacketChecksumOk(p, ql::PacketLength(type))) std::abort();
    ++delivered;
  };
  receiver.hooks().dataRecord = [&](uint8_t* record, int length, int) {
    if (length < 32 || length > ql::kRxBufferSize - 4) std::abort();
    // A data packet's port counts never claim more than its data.
    int counted = 0;
    for (int k = 0; k < 9; ++k) counted += ql::GetU16BE(record + 10 + 2 * k);
    if (counted > length - 32) std::abort();
    ++delivered;
  };
  // Every byte is eventually examined: after the input ends, each call either finds a
  // packet or drops or waits; a bounded number of extra calls must drain to below 12
  // bytes or to a wait for a packet's tail.
  for (int calls = 0; calls < 1'000'000; ++calls) {
    receiver.ReceiveStep(0);
    const int buffered = receiver.BufferedCount();
    if (buffered < 0 || buffered > ql::kRxBufferSize) std::abort();
    if (receiver.DataExpected() < ql::kDataEnvelope || receiver.DataExpected() > ql::kRxBufferSize) std::abort();
    if (input.pos >= input.size && receiver.ReceiveStep(0) == ql::Receiver::kIdle) break;
  }
  if (delivered != receiver.Counters().packetsRecognised) std::abort();
  return 0;
}
