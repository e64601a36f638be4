// Receiver throughput against the logger link's top rate of 115200 baud (11 520
// bytes/s): a clean stream, one where 30 % of the bytes are noise, one broken up by
// runs of 0x08 (the worst noise: every position in a run reads as a data header whose
// checksum fails), and the fast tick fed 58 bytes at a time with the display extract,
// the relay and the archive hook attached. Every case checks that the data packets
// recognised are exactly the ones sent, and the program fails (exit status 1) loudly
// when they are not.
#include <benchmark/benchmark.h>

#include <random>

#include "BenchHost.h"
#include "BenchLine.h"
#include "common/SilentOperator.h"
#include "link/Receiver.h"
#include "serial/PortTable.h"

namespace {

using ql::bench::BenchLine;
using ql::bench::NumberedStream;
using ql::bench::RecognitionCheck;

bool mismatch = false;

enum class Noise { kNone, kRandom, kDataTypeRuns };

// Two thousand packets of typical traffic: data packets of 60..400 payload bytes and a
// status packet every tenth, with noise between them; zero bytes at the end let any
// false start left at the tail fail.
NumberedStream MakeStream(Noise noise) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> payload(60, 400);
  std::uniform_int_distribution<int> run(0, 4096);
  NumberedStream stream;
  for (int i = 0; i < 2000; ++i) {
    const size_t before = stream.bytes.size();
    if (i % 10 == 0) {
      stream.Status();
    } else {
      stream.Data(payload(rng));
    }
    const size_t packetBytes = stream.bytes.size() - before;
    if (noise == Noise::kRandom) {
      // 30 % of all bytes: 3 noise bytes for every 7 packet bytes.
      for (size_t k = 0; k < packetBytes * 3 / 7; ++k) stream.bytes.push_back(static_cast<uint8_t>(rng()));
    } else if (noise == Noise::kDataTypeRuns) {
      stream.bytes.insert(stream.bytes.end(), static_cast<size_t>(run(rng)), 0x08);
    }
  }
  stream.bytes.insert(stream.bytes.end(), ql::kRxBufferSize, 0);
  return stream;
}

void Report(benchmark::State& state, const NumberedStream& stream, bool ok) {
  if (!ok) {
    mismatch = true;
    state.SkipWithError("recognised packets differ from those sent");
    return;
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.bytes.size()));
  state.counters["packets"] = stream.DataPackets() + stream.statusPackets;
  state.counters["x_115200_line"] =
      benchmark::Counter(static_cast<double>(stream.bytes.size()) / ql::bench::kLineBytesPerSecond,
                         benchmark::Counter::kIsIterationInvariantRate);
}

// The receiver alone, given the whole stream at once and called until it is drained.
void RunDrained(benchmark::State& state, Noise noise, const char* what) {
  const NumberedStream stream = MakeStream(noise);
  ql::SilentOperator person;
  bool ok = true;
  for (auto _ : state) {
    BenchLine line{stream.bytes};
    line.ArriveAll();
    ql::PortTable ports(ql::bench::BenchFactory(line), person);
    ports.ConfigurePort(0, 1, 11);
    ql::Receiver receiver(ports);
    RecognitionCheck check;
    uint32_t statuses = 0;
    receiver.hooks().dataRecord = [&](uint8_t* record, int, int) { check.Seen(record); };
    receiver.hooks().dispatch = [&](int type, const uint8_t*) { statuses += type == 3 ? 1 : 0; };
    while (line.read < line.bytes.size() || receiver.ReceiveStep(0) != ql::Receiver::kIdle) receiver.ReceiveStep(0);
    ok = ok && check.Matches(what, stream.DataPackets()) && statuses == stream.statusPackets;
  }
  Report(state, stream, ok);
}

// The whole fast tick as the window runs it, the stream arriving at the line's rate
// (57.6 bytes per 5 ms tick), every per-packet output switched on.
void BM_FastTickAtLineRate(benchmark::State& state) {
  const NumberedStream stream = MakeStream(Noise::kNone);
  bool ok = true;
  for (auto _ : state) {
    BenchLine line{stream.bytes};
    ql::bench::BenchHost bench(line);
    while (line.read < line.bytes.size() || bench.ticks % 200 != 0) bench.Tick();
    benchmark::DoNotOptimize(bench.terminalLines);
    ok = ok && bench.check.Matches("fast tick at the line rate", stream.DataPackets()) &&
         bench.host.receiver.Counters().packetsRecognised == stream.DataPackets() + stream.statusPackets &&
         bench.archived == stream.DataPackets();
  }
  Report(state, stream, ok);
}

void BM_ReceiverCleanStream(benchmark::State& state) { RunDrained(state, Noise::kNone, "clean stream"); }
void BM_ReceiverNoisyStream(benchmark::State& state) { RunDrained(state, Noise::kRandom, "noisy stream"); }
void BM_ReceiverDataTypeRuns(benchmark::State& state) { RunDrained(state, Noise::kDataTypeRuns, "0x08 runs"); }

BENCHMARK(BM_ReceiverCleanStream)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReceiverNoisyStream)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReceiverDataTypeRuns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FastTickAtLineRate)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (mismatch) std::fprintf(stderr, "*** FAILED: the receiver did not recognise the packets sent ***\n");
  return mismatch ? 1 : 0;
}
