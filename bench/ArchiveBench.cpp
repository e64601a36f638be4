// Archive writing and replay reading in records per second, against the tick limit: the
// fast tick (5 ms) hands on at most one record, 200 records a second.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "archive/ArchiveRecord.h"
#include "archive/Recording.h"
#include "common/ByteOrder.h"
#include "common/Operator.h"
#include "link/PacketFraming.h"

namespace {

constexpr double kTickLimit = 200.0;

class SilentOperator : public ql::Operator {
 public:
  void Warning(const std::string&, const std::string&) override {}
  void Notice(const std::string&, const std::string&) override {}
  Answer Ask(const Question&) override { return Answer::Ok; }
};

std::string BenchFile() { return (std::filesystem::temp_directory_path() / "ql9-archive-bench.arc").string(); }

std::vector<uint8_t> Record(int dataLength) {
  std::vector<uint8_t> r(static_cast<size_t>(ql::archive::kEnvelope + dataLength), 'd');
  r[ql::archive::kSender] = 2;
  ql::PutU16LE(&r[ql::archive::kDataLength], static_cast<uint16_t>(dataLength));
  ql::PutU16LE(&r[ql::archive::kCounts], static_cast<uint16_t>(dataLength));
  return r;
}

void ReportAgainstTickLimit(benchmark::State& state) {
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
  state.counters["x_tick_limit"] =
      benchmark::Counter(1.0 / kTickLimit, benchmark::Counter::kIsIterationInvariantRate);
}

// One record per call through the archive writer, each in one write to the file.
void BM_ArchiveWrite(benchmark::State& state) {
  SilentOperator person;
  ql::Recording rec(person);
  if (!rec.StartArchive(BenchFile())) state.SkipWithError("cannot create the archive");
  const std::vector<uint8_t> record = Record(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    if (!rec.WriteRecord(record.data(), static_cast<int>(record.size()), {26, 341, 10})) {
      state.SkipWithError("write failed");
      break;
    }
  }
  rec.Stop();
  ReportAgainstTickLimit(state);
  std::filesystem::remove(BenchFile());
}
BENCHMARK(BM_ArchiveWrite)->Arg(64)->Arg(400)->Arg(4060);

// The replay reader with the countdown at its fastest, over a file of 10 000 records
// replayed continuously.
void BM_ReplayRead(benchmark::State& state) {
  SilentOperator person;
  ql::Recording rec(person);
  {
    ql::Recording writer(person);
    writer.StartArchive(BenchFile());
    const std::vector<uint8_t> record = Record(static_cast<int>(state.range(0)));
    for (int i = 0; i < 10000; ++i) writer.WriteRecord(record.data(), static_cast<int>(record.size()), {});
  }
  rec.replay.speed = ql::ReplayState::kFastest;
  if (!rec.StartReplay(ql::kReplayContinuous, BenchFile(), 0)) state.SkipWithError("cannot open the archive");
  static uint8_t buffer[ql::kRxBufferSize];
  for (auto _ : state) {
    if (rec.ReadReplayPacket(buffer, ql::kRxBufferSize) == 0) {
      state.SkipWithError("no packet");
      break;
    }
  }
  rec.Stop();
  ReportAgainstTickLimit(state);
  std::filesystem::remove(BenchFile());
}
BENCHMARK(BM_ReplayRead)->Arg(64)->Arg(400)->Arg(4060);

}  // namespace

BENCHMARK_MAIN();
