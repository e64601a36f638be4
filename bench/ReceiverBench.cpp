// Receiver throughput over a clean packet stream and over one where 30 % of the bytes
// are noise, against the logger link's top rate of 115200 baud (11 520 bytes/s).
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include "common/ByteOrder.h"
#include "common/SilentOperator.h"
#include "link/Receiver.h"
#include "serial/PortTable.h"
#include "serial/SetupChecksum.h"

namespace {

constexpr double kLineBytesPerSecond = 11520.0;

class StreamDevice : public ql::SerialDevice {
 public:
  explicit StreamDevice(const std::vector<uint8_t>& stream) : stream_(stream) {}
  bool Open(const std::string&) override { return true; }
  void ApplyLine(const ql::LineParams&) override {}
  int Read(uint8_t* buffer, int maxBytes) override {
    const size_t n = std::min(stream_.size() - pos_, static_cast<size_t>(maxBytes));
    std::copy_n(stream_.begin() + static_cast<long>(pos_), n, buffer);
    pos_ += n;
    return static_cast<int>(n);
  }
  void Write(const uint8_t*, int) override {}
  bool Close() override { return true; }
  bool Done() const { return pos_ >= stream_.size(); }

 private:
  const std::vector<uint8_t>& stream_;
  size_t pos_ = 0;
};

// A minute of typical traffic: data packets of 60..400 payload bytes and a status
// packet every so often, with the given share of random noise bytes mixed in.
std::vector<uint8_t> MakeStream(double noiseShare) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> payload(60, 400);
  std::uniform_real_distribution<double> coin(0.0, 1.0);
  std::vector<uint8_t> stream;
  auto noise = [&](size_t packetBytes) {
    const auto extra = static_cast<size_t>(static_cast<double>(packetBytes) * noiseShare / (1.0 - noiseShare));
    for (size_t i = 0; i < extra; ++i) stream.push_back(static_cast<uint8_t>(rng() & 0xFF));
  };
  for (int i = 0; i < 2000; ++i) {
    std::vector<uint8_t> p(36 + static_cast<size_t>(payload(rng)), 0);
    if (i % 10 == 0) p.assign(132, 0);
    const int type = i % 10 == 0 ? 3 : 8;
    p[0] = p[1] = static_cast<uint8_t>(type);
    if (type == 8) {
      p[4] = 2;
      p[5] = static_cast<uint8_t>(i);
      ql::PutU16BE(&p[6], static_cast<uint16_t>(p.size() - 36));
      ql::PutU16BE(&p[12], static_cast<uint16_t>(p.size() - 36));
      for (size_t k = 30; k < p.size() - 6; ++k) p[k] = static_cast<uint8_t>('0' + k % 10);
    }
    ql::SealRecord(p.data(), static_cast<int>(p.size()));
    if (noiseShare > 0 && coin(rng) < 0.999) noise(p.size());
    stream.insert(stream.end(), p.begin(), p.end());
  }
  return stream;
}

void RunReceiver(benchmark::State& state, double noiseShare) {
  const std::vector<uint8_t> stream = MakeStream(noiseShare);
  ql::SilentOperator person;
  uint64_t packets = 0;
  for (auto _ : state) {
    StreamDevice* device = nullptr;
    ql::PortTable ports(
        [&] {
          auto d = std::make_unique<StreamDevice>(stream);
          device = d.get();
          return d;
        },
        person);
    ports.ConfigurePort(0, 1, 6);
    ql::Receiver receiver(ports);
    while (!device->Done() || receiver.ReceiveStep(0) != ql::Receiver::kIdle) receiver.ReceiveStep(0);
    packets = receiver.Counters().packetsRecognised;
    benchmark::DoNotOptimize(packets);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.size()));
  state.counters["packets"] = static_cast<double>(packets);
  state.counters["x_115200_line"] = benchmark::Counter(
      static_cast<double>(stream.size()) / kLineBytesPerSecond, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_ReceiverCleanStream(benchmark::State& state) { RunReceiver(state, 0.0); }
void BM_ReceiverNoisyStream(benchmark::State& state) { RunReceiver(state, 0.3); }

BENCHMARK(BM_ReceiverCleanStream)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReceiverNoisyStream)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
