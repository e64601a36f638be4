#include "RunFileBuilder.h"

#include <algorithm>
#include <cmath>
#include <fstream>

#include "Prng.h"
#include "common/ByteOrder.h"
#include "common/Format.h"

namespace ql::sim {
namespace {

constexpr uint32_t kFlashBytes = 64u << 20;
constexpr int kAsciiInstrument = 3;
constexpr int kBatteryEvery = 10;

void PutI16Array(uint8_t* p, const int16_t* values, size_t count) {
  for (size_t i = 0; i < count; ++i) PutU16BE(p + 2 * i, static_cast<uint16_t>(values[i]));
}

void PutU32Array(uint8_t* p, const uint32_t* values, size_t count) {
  for (size_t i = 0; i < count; ++i) PutU32BE(p + 4 * i, values[i]);
}

std::string U32LE(uint32_t value) {
  std::string bytes(4, '\0');
  PutU32LE(reinterpret_cast<uint8_t*>(bytes.data()), value);
  return bytes;
}

}  // namespace

Bytes BuildRunSummary(const RunSummaryFields& s) {
  Bytes r(kRunSummarySize, 0);
  PutU16BE(&r[0], static_cast<uint16_t>(s.runNumber));
  PutU16BE(&r[2], static_cast<uint16_t>(s.mode));
  PutU16BE(&r[4], static_cast<uint16_t>(s.meterType));
  PutU16BE(&r[6], static_cast<uint16_t>(s.serialNumber));
  PutU16BE(&r[8], static_cast<uint16_t>(s.fileFormat));
  PutU16BE(&r[10], static_cast<uint16_t>(s.outputFormat));
  PutI16Array(&r[12], s.deviceType.data(), s.deviceType.size());
  PutU16BE(&r[30], static_cast<uint16_t>(s.powerKHz));
  PutU32Array(&r[36], s.baud.data(), s.baud.size());
  PutI16Array(&r[72], s.dataBits.data(), s.dataBits.size());
  PutI16Array(&r[90], s.parity.data(), s.parity.size());
  PutI16Array(&r[108], s.lowVoltageCutoff.data(), s.lowVoltageCutoff.size());
  PutI16Array(&r[130], s.analog.data(), s.analog.size());
  PutI16Array(&r[144], s.pumps.data(), s.pumps.size());
  const uint32_t times[] = {s.delaySeconds, s.preFlushSeconds, s.warmupSeconds, s.flushSeconds,
                            s.sampleSeconds, s.intervalSeconds, s.startTime};
  PutU32Array(&r[152], times, std::size(times));
  PutU16BE(&r[188], static_cast<uint16_t>(s.unitId));
  PutU16BE(&r[190], static_cast<uint16_t>(s.packetPeriodMs));
  PutU16BE(&r[192], static_cast<uint16_t>(s.startMillivolts));
  PutU16BE(&r[194], static_cast<uint16_t>(s.finalMillivolts));
  PutU32BE(&r[200], static_cast<uint32_t>(s.analogBytes));
  for (size_t i = 0; i < s.portBytes.size(); ++i) PutU32BE(&r[204 + 4 * i], static_cast<uint32_t>(s.portBytes[i]));
  PutU32BE(&r[236], static_cast<uint32_t>(s.freeBytes));
  PutU32BE(&r[240], static_cast<uint32_t>(s.totalBytes));
  PutU16BE(&r[244], static_cast<uint16_t>(s.firmwareMajor));
  PutU16BE(&r[246], static_cast<uint16_t>(s.firmwareMinor));
  PutI16Array(&r[248], s.firmwareDate.data(), s.firmwareDate.size());
  return r;
}

Bytes BuildQlMuxBody(const DataRecordFields& record) {
  Bytes packet = BuildDataPacket(record);
  return Bytes(packet.begin() + 2, packet.end() - 2);
}

// ---- records ----

RunFileBuilder& RunFileBuilder::Record(int type, const uint8_t* body, size_t size) {
  uint8_t header[4];
  PutU16LE(header, static_cast<uint16_t>(size));
  PutU16LE(header + 2, static_cast<uint16_t>(type));
  bytes_.insert(bytes_.end(), header, header + 4);
  bytes_.insert(bytes_.end(), body, body + size);
  return *this;
}

RunFileBuilder& RunFileBuilder::Record(int type, std::string_view body) {
  return Record(type, reinterpret_cast<const uint8_t*>(body.data()), body.size());
}

RunFileBuilder& RunFileBuilder::Raw(std::string_view bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

RunFileBuilder& RunFileBuilder::Meter(int port, std::string_view data) {
  return Record(port <= 4 ? kRunMeter1 + port - 1 : kRunMeter5 + port - 5, data);
}

RunFileBuilder& RunFileBuilder::ArchiveMux(int port, uint32_t time, std::string_view data) {
  const int type = port <= 4 ? kRunArchiveMux1 + port - 1 : kRunArchiveMux5 + port - 5;
  return Record(type, U32LE(time).append(data));
}

RunFileBuilder& RunFileBuilder::Analog(std::string_view data) { return Record(kRunAnalog, data); }

RunFileBuilder& RunFileBuilder::AnalogMux(uint32_t time, std::string_view data) {
  return Record(kRunAnalogTimed, U32LE(time).append(data));
}

RunFileBuilder& RunFileBuilder::ArchiveTime(uint32_t time) { return Record(kRunArchiveTime, U32LE(time)); }

RunFileBuilder& RunFileBuilder::Battery(uint32_t time, int millivolts) {
  uint8_t body[kBatteryRecordSize];
  PutU32BE(body, time);
  PutU16BE(body + 4, static_cast<uint16_t>(millivolts));
  return Record(kRunBattery, body, sizeof body);
}

RunFileBuilder& RunFileBuilder::TimeStamp(uint32_t time) { return Record(kRunTimeStamp, U32LE(time)); }

RunFileBuilder& RunFileBuilder::Summary(const RunSummaryFields& summary) {
  const Bytes body = BuildRunSummary(summary);
  return Record(kRunSummary, body.data(), body.size());
}

RunFileBuilder& RunFileBuilder::QlMux(const DataRecordFields& record) {
  const Bytes body = BuildQlMuxBody(record);
  return Record(kRunArchiveRecord, body.data(), body.size());
}

RunFileBuilder& RunFileBuilder::SenderId(uint8_t sender) {
  const uint8_t body[2] = {0, sender};
  return Record(kRunSenderId, body, sizeof body);
}

RunFileBuilder& RunFileBuilder::ArchiveHeader(uint8_t sender, uint8_t sequence, uint32_t time, bool tenMsUnits) {
  uint8_t body[7] = {sender, sequence};
  PutU32LE(body + 2, time);
  return Record(kRunArchiveHeader, body, tenMsUnits ? 7 : 6);
}

bool WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

// ---- a whole run ----

namespace {

RunSummaryFields SummaryFor(const SampleRunOptions& o, int ports, int channels) {
  RunSummaryFields s;
  s.runNumber = static_cast<int16_t>(o.runNumber);
  s.mode = static_cast<int16_t>(o.mode);
  s.unitId = o.sender;
  s.startTime = o.startTime;
  s.startMillivolts = static_cast<int16_t>(o.startMillivolts);
  s.sampleSeconds = 1;
  s.intervalSeconds = 3600;
  s.totalBytes = static_cast<int32_t>(kFlashBytes);
  for (size_t port = 0; port <= 8; ++port) {
    s.baud[port] = 9600;
    s.dataBits[port] = 8;
    s.lowVoltageCutoff[port] = 105;
    if (port >= 1 && static_cast<int>(port) <= ports) s.deviceType[port] = kAsciiInstrument;
  }
  for (int c = 0; c < channels; ++c) s.analog[static_cast<size_t>(c)] = 1;
  return s;
}

std::string PortLine(int port, int sample, Prng& prng) {
  const double s = sample;
  const double wobble = (prng.Unit() - 0.5) * 0.002;
  if (port == 1) {
    return Format("T=%6.3f C=%5.2f P=%5.1f\r\n", 12.3 + 1.5 * std::sin(s / 40.0) + wobble,
                  35.0 + 0.4 * std::sin(s / 55.0), 100.0 + 8.0 * std::sin(s / 25.0));
  }
  return Format("P%d %06d %7.3f\r\n", port, sample, port + std::sin(s / 30.0) + wobble);
}

std::string AnalogLine(int channels, int sample, Prng& prng) {
  std::string bytes;
  for (int c = 1; c <= channels; ++c) {
    const int mv = 1000 + 350 * c + static_cast<int>(120 * std::sin(sample / 20.0 + c)) + prng.Between(-2, 2);
    bytes.push_back(static_cast<char>((mv >> 8) & 0xFF));
    bytes.push_back(static_cast<char>(mv & 0xFF));
  }
  return bytes;
}

}  // namespace

SampleRun BuildSampleRun(const SampleRunOptions& o) {
  const int ports = std::clamp(o.activePorts, 0, 8);
  const int channels = std::clamp(o.analogChannels, 0, 7);
  Prng prng(o.seed);
  RunFileBuilder run;
  SampleRun result;
  result.summary = SummaryFor(o, ports, channels);
  RunSummaryFields& summary = result.summary;
  uint8_t sequence = 0;
  int millivolts = o.startMillivolts;
  for (int sample = 0; sample < o.samples || run.size() < o.atLeastBytes; ++sample) {
    const uint32_t time = o.startTime + static_cast<uint32_t>(sample);
    DataRecordFields record;
    record.sender = o.sender;
    record.time = time;
    for (int port = 1; port <= ports; ++port) record.sources[static_cast<size_t>(port - 1)] = PortLine(port, sample, prng);
    record.sources[8] = AnalogLine(channels, sample, prng);

    switch (sample % 3) {
      case 0:
        run.ArchiveHeader(o.sender, sequence++, time);
        for (int port = 1; port <= ports; ++port) run.Meter(port, record.sources[static_cast<size_t>(port - 1)]);
        if (channels > 0) run.Analog(record.sources[8]);
        break;
      case 1:
        for (int port = 1; port <= ports; ++port) {
          run.ArchiveMux(port, time, record.sources[static_cast<size_t>(port - 1)]);
        }
        if (channels > 0) run.AnalogMux(time, record.sources[8]);
        break;
      default:
        record.sequence = sequence++;
        run.QlMux(record);
        break;
    }
    for (int port = 1; port <= ports; ++port) {
      summary.portBytes[static_cast<size_t>(port - 1)] += static_cast<int32_t>(record.sources[static_cast<size_t>(port - 1)].size());
    }
    summary.analogBytes += static_cast<int32_t>(record.sources[8].size());
    if (sample % kBatteryEvery == kBatteryEvery - 1) {
      millivolts -= prng.Between(0, 3);
      run.Battery(time, millivolts);
    }
  }
  summary.finalMillivolts = static_cast<int16_t>(millivolts);
  summary.freeBytes = static_cast<int32_t>(kFlashBytes - std::min<size_t>(run.size() + kRunSummarySize + 4, kFlashBytes));
  run.Summary(summary);
  result.bytes = run.Take();
  return result;
}

}  // namespace ql::sim
