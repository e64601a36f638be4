// How far the host falls behind the logger link, in simulated time: the stream arrives
// at 115200 baud and the fast tick runs every 5 ms with every per-packet output on.
//  - A minute of 36-byte data packets at the full line rate (320 a second, more than
//    one per tick): how far behind the host is at the end and at worst (goal 0 s).
//  - A 4 KB burst of 0x08 noise followed by such a stream: how long after the burst the
//    host has recognised every packet that has arrived (goal under 1 s), and the
//    longest spell without a recognised packet (the bad-data timer counts down once a
//    second without one).
// Both check that the data packets recognised are the ones sent, and the program fails
// (exit status 1) loudly when they are not.
#include <algorithm>
#include <cstdio>
#include <ctime>

#include "BenchHost.h"
#include "BenchLine.h"

namespace {

using ql::bench::BenchHost;
using ql::bench::BenchLine;
using ql::bench::NumberedStream;

constexpr int kShortPacket = 36;
constexpr int kPacketsPerSecond = static_cast<int>(ql::bench::kLineBytesPerSecond) / kShortPacket;

double SecondsOf(uint32_t packets) {
  return static_cast<double>(packets) * kShortPacket / ql::bench::kLineBytesPerSecond;
}

// Runs the host until everything sent has had a second to be recognised, then checks.
bool Finish(BenchHost& bench, const NumberedStream& stream, const char* what) {
  const double end = bench.Seconds() + 1.0;
  while (bench.Seconds() < end) bench.Tick();
  return bench.check.Matches(what, stream.DataPackets());
}

bool MinuteOfShortPackets() {
  NumberedStream stream;
  for (int i = 0; i < 60 * kPacketsPerSecond; ++i) stream.Data(0);
  BenchLine line{stream.bytes};
  BenchHost bench(line);
  uint32_t worst = 0;
  const std::clock_t cpuStart = std::clock();
  while (bench.Seconds() < 60.0) {
    bench.Tick();
    worst = std::max(worst, stream.DataArrivedBy(line.arrived) - bench.check.next);
  }
  const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  const uint32_t behind = stream.DataArrivedBy(line.arrived) - bench.check.next;
  std::printf("36-byte packets at 115200 baud for 60 s: %u sent, %u recognised in the minute\n", stream.DataPackets(),
              bench.check.next);
  std::printf("  behind after one minute: %.3f s (goal 0 s); at worst during it: %.3f s\n", SecondsOf(behind),
              SecondsOf(worst));
  std::printf("  fast tick, all outputs on: %.1f ms of processor time per second of link (%.2f %% of a core)\n",
              cpu * 1000.0 / 60.0, cpu * 100.0 / 60.0);
  return Finish(bench, stream, "36-byte packets at the line rate");
}

bool BurstThenFullRate() {
  NumberedStream stream;
  stream.bytes.assign(4096, 0x08);
  const double burstEnd = 4096.0 / ql::bench::kLineBytesPerSecond;
  for (int i = 0; i < 10 * kPacketsPerSecond; ++i) stream.Data(0);
  BenchLine line{stream.bytes};
  BenchHost bench(line);
  double caughtUp = -1.0;
  double lastPacket = 0.0;
  double longestSilence = 0.0;
  uint32_t recognised = 0;
  uint32_t worstAfter = 0;
  while (bench.Seconds() < burstEnd + 10.0) {
    bench.Tick();
    const double now = bench.Seconds();
    if (bench.check.next != recognised) {
      longestSilence = std::max(longestSilence, now - lastPacket);
      lastPacket = now;
      recognised = bench.check.next;
    }
    const uint32_t arrived = stream.DataArrivedBy(line.arrived);
    if (caughtUp < 0 && now > burstEnd && arrived > 0 && recognised == arrived) caughtUp = now - burstEnd;
    if (caughtUp >= 0) worstAfter = std::max(worstAfter, arrived - recognised);
  }
  std::printf("4 KB of 0x08 (%.3f s on the line), then 36-byte packets at 115200 baud:\n", burstEnd);
  std::printf("  every arrived packet recognised %.3f s after the burst (goal under 1 s)\n", caughtUp);
  std::printf("  longest spell without a recognised packet: %.3f s; behind at worst afterwards: %.3f s\n",
              longestSilence, SecondsOf(worstAfter));
  return caughtUp >= 0 && Finish(bench, stream, "0x08 burst then the line rate");
}

}  // namespace

int main() {
  const bool minute = MinuteOfShortPackets();
  const bool burst = BurstThenFullRate();
  if (minute && burst) return 0;
  std::fprintf(stderr, "*** FAILED: the host did not recognise the packets sent ***\n");
  return 1;
}
