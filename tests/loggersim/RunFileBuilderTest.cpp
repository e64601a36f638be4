#include "loggersim/RunFileBuilder.h"

#include <gtest/gtest.h>

#include <map>

#include "common/ByteOrder.h"

namespace ql::sim {
namespace {

struct RunRecord {
  int type;
  Bytes body;
};

// Walks a run file the way the host reads it: size and type, then the body.
std::vector<RunRecord> Records(const Bytes& file) {
  std::vector<RunRecord> records;
  size_t at = 0;
  while (at + 4 <= file.size()) {
    const int size = GetI16LE(&file[at]);
    const int type = GetI16LE(&file[at + 2]);
    EXPECT_GE(size, 1);
    EXPECT_LE(size, kRunMaxBody);
    EXPECT_GE(type, 1);
    EXPECT_LE(type, 25);
    if (size < 0 || at + 4 + static_cast<size_t>(size) > file.size()) break;
    records.push_back({type, Bytes(file.begin() + static_cast<long>(at) + 4, file.begin() + static_cast<long>(at) + 4 + size)});
    at += 4 + static_cast<size_t>(size);
  }
  EXPECT_EQ(at, file.size()) << "the file ends inside a record";
  return records;
}

std::string Text(const Bytes& bytes, size_t from = 0) { return std::string(bytes.begin() + static_cast<long>(from), bytes.end()); }

TEST(RunFileBuilderTest, TypedRecordsCarryTheLoggersBodyLayouts) {
  DataRecordFields qlmux;
  qlmux.sender = 3;
  qlmux.sequence = 9;
  qlmux.time = 0x01020304;
  qlmux.sources[1] = "abc";
  qlmux.sources[8] = "\x01\x02";
  RunFileBuilder run;
  run.ArchiveHeader(2, 7, 0x11223344)
      .ArchiveHeader(2, 8, 5, true)
      .Meter(4, "four")
      .Meter(5, "five")
      .ArchiveMux(1, 0xA0B0C0D0, "x")
      .ArchiveMux(8, 1, "y")
      .Analog("an")
      .AnalogMux(2, "am")
      .ArchiveTime(77)
      .Battery(0x5566778A, 12345)
      .TimeStamp(3)
      .SenderId(4)
      .QlMux(qlmux);
  const auto r = Records(run.bytes());
  ASSERT_EQ(r.size(), 13u);
  EXPECT_EQ(r[0].type, 25);
  EXPECT_EQ(r[0].body, (Bytes{2, 7, 0x44, 0x33, 0x22, 0x11}));
  EXPECT_EQ(r[1].body.size(), 7u);  // the seventh byte marks 10 ms units
  EXPECT_EQ(r[2].type, 4);
  EXPECT_EQ(r[3].type, 15);
  EXPECT_EQ(r[4].type, 5);
  EXPECT_EQ(r[4].body, (Bytes{0xD0, 0xC0, 0xB0, 0xA0, 'x'}));
  EXPECT_EQ(r[5].type, 22);
  EXPECT_EQ(r[6].type, 12);
  EXPECT_EQ(r[7].type, 13);
  EXPECT_EQ(Text(r[7].body, 4), "am");
  EXPECT_EQ(r[8].type, 14);
  EXPECT_EQ(GetU32LE(r[8].body.data()), 77u);
  EXPECT_EQ(r[9].type, 9);
  EXPECT_EQ(GetU32BE(r[9].body.data()), 0x5566778Au);
  EXPECT_EQ(GetI16BE(&r[9].body[4]), 12345);
  EXPECT_EQ(r[10].type, 10);
  EXPECT_EQ(r[11].body, (Bytes{0, 4}));
  // ARCHIVE QLMUX: the data packet without type bytes and checksum, header big-endian.
  const Bytes packet = BuildDataPacket(qlmux);
  EXPECT_EQ(r[12].type, 23);
  EXPECT_EQ(r[12].body, Bytes(packet.begin() + 2, packet.end() - 2));
  EXPECT_EQ(GetU16BE(&r[12].body[4]), 5);
  EXPECT_EQ(GetU32BE(&r[12].body[6]), 0x01020304u);
  EXPECT_EQ(Text(r[12].body).substr(r[12].body.size() - 4), "####");
}

TEST(RunFileBuilderTest, SummaryFieldsSitAtTheirOffsetsBigEndian) {
  RunSummaryFields s;
  s.runNumber = 42;
  s.mode = 12;
  s.deviceType[8] = 13;
  s.baud[0] = 115200;
  s.lowVoltageCutoff[1] = 105;
  s.analog[6] = 2;
  s.pumps[3] = 1;
  s.intervalSeconds = 3600;
  s.startTime = 1'765'000'000;
  s.packetPeriodMs = 250;
  s.finalMillivolts = 11900;
  s.portBytes[7] = 1025;
  s.freeBytes = 51200;
  s.firmwareDate = {3, 14, 25};
  const Bytes r = BuildRunSummary(s);
  ASSERT_EQ(r.size(), 256u);
  EXPECT_EQ(GetI16BE(&r[0]), 42);
  EXPECT_EQ(GetI16BE(&r[2]), 12);
  EXPECT_EQ(GetI16BE(&r[12 + 16]), 13);
  EXPECT_EQ(GetU32BE(&r[36]), 115200u);
  EXPECT_EQ(GetI16BE(&r[110]), 105);
  EXPECT_EQ(GetI16BE(&r[130 + 12]), 2);
  EXPECT_EQ(GetI16BE(&r[144 + 6]), 1);
  EXPECT_EQ(GetU32BE(&r[172]), 3600u);
  EXPECT_EQ(GetU32BE(&r[176]), 1'765'000'000u);
  EXPECT_EQ(GetI16BE(&r[190]), 250);
  EXPECT_EQ(GetI16BE(&r[194]), 11900);
  EXPECT_EQ(GetU32BE(&r[204 + 28]), 1025u);
  EXPECT_EQ(GetU32BE(&r[236]), 51200u);
  EXPECT_EQ(GetI16BE(&r[244]), 7);
  EXPECT_EQ(GetI16BE(&r[250]), 14);
}

TEST(RunFileBuilderTest, SampleRunIsRepeatableWellFormedAndAgreesWithItsSummary) {
  SampleRunOptions o;
  o.runNumber = 5;
  o.samples = 30;
  o.activePorts = 2;
  o.analogChannels = 3;
  const SampleRun run = BuildSampleRun(o);
  EXPECT_EQ(run.bytes, BuildSampleRun(o).bytes);

  std::map<int, int> count;
  int64_t port1 = 0;
  for (const RunRecord& r : Records(run.bytes)) {
    ++count[r.type];
    if (r.type == kRunMeter1) port1 += static_cast<int64_t>(r.body.size());
    if (r.type == kRunArchiveMux1) port1 += static_cast<int64_t>(r.body.size()) - 4;
    if (r.type == kRunArchiveRecord) port1 += GetU16BE(&r.body[10]);
  }
  EXPECT_EQ(count[kRunArchiveHeader], 10);
  EXPECT_EQ(count[kRunMeter1], 10);
  EXPECT_EQ(count[kRunMeter1 + 1], 10);
  EXPECT_EQ(count[kRunMeter1 + 2], 0);
  EXPECT_EQ(count[kRunArchiveMux1], 10);
  EXPECT_EQ(count[kRunAnalogTimed], 10);
  EXPECT_EQ(count[kRunArchiveRecord], 10);
  EXPECT_EQ(count[kRunBattery], 3);
  EXPECT_EQ(count[kRunSummary], 1);
  EXPECT_EQ(port1, run.summary.portBytes[0]);
  EXPECT_EQ(run.summary.analogBytes, 30 * 6);
  EXPECT_EQ(run.summary.runNumber, 5);
  EXPECT_EQ(run.summary.deviceType[2], 3);
  EXPECT_EQ(run.summary.deviceType[3], 0);
  EXPECT_LE(run.summary.finalMillivolts, run.summary.startMillivolts);

  o.atLeastBytes = 200'000;
  EXPECT_GE(BuildSampleRun(o).bytes.size(), 200'000u);
}

}  // namespace
}  // namespace ql::sim
