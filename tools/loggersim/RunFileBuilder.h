#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "LoggerPackets.h"
#include "flash/RunRecordTypes.h"
#include "flash/RunSummary.h"

namespace ql::sim {

// Record types and body limits are the host's (flash/RunRecordTypes.h): the simulated
// flash writes what the host's extraction reads.
inline constexpr int kRunSummarySize = static_cast<int>(RunSummaryRecord::kSize);
inline constexpr int kBatteryRecordSize = 6;

// The run summary record (type 11) the logger writes at the end of a run: 256 bytes,
// every field big-endian. Port arrays have nine entries, entry 0 the host port.
struct RunSummaryFields {
  int16_t runNumber = 1;
  int16_t mode = 0;        // 0 profile, 1 moored, 12 polled moored
  int16_t meterType = 2;   // 1 bx5Plus, 2 QL9, 3 external meter
  int16_t serialNumber = 17;
  int16_t fileFormat = 1;  // archive files
  int16_t outputFormat = 1;
  std::array<int16_t, 9> deviceType{};
  int16_t powerKHz = 14720;
  std::array<uint32_t, 9> baud{};
  std::array<int16_t, 9> dataBits{};
  std::array<int16_t, 9> parity{};
  std::array<int16_t, 9> lowVoltageCutoff{};  // tenths of a volt; entry 1 is the one in use
  std::array<int16_t, 7> analog{};            // analog ports 1..7: 0 off, 1 on, 2 pump
  std::array<int16_t, 4> pumps{};
  uint32_t delaySeconds = 0;
  uint32_t preFlushSeconds = 0;
  uint32_t warmupSeconds = 0;
  uint32_t flushSeconds = 0;
  uint32_t sampleSeconds = 0;
  uint32_t intervalSeconds = 0;
  uint32_t startTime = 0;  // logger clock, seconds since 1970
  int16_t unitId = 2;
  int16_t packetPeriodMs = 1000;
  int16_t startMillivolts = 0;
  int16_t finalMillivolts = 0;
  int32_t analogBytes = 0;
  std::array<int32_t, 8> portBytes{};
  int32_t freeBytes = 0;
  int32_t totalBytes = 0;
  int16_t firmwareMajor = 7;
  int16_t firmwareMinor = 12;
  std::array<int16_t, 3> firmwareDate{{3, 14, 25}};
};

Bytes BuildRunSummary(const RunSummaryFields& summary);

// The body of a type 23 record: the data record of a type 8 packet without its type
// bytes and checksum, header fields big-endian.
Bytes BuildQlMuxBody(const DataRecordFields& record);

// Writes a run file record by record: each record is its body size and type (both
// i16 little-endian) followed by the body. The typed helpers lay out the bodies the
// way the logger does; Record and Raw write whatever they are given, so that tests can
// build damaged files as well.
class RunFileBuilder {
 public:
  RunFileBuilder& Record(int type, const uint8_t* body, size_t size);
  RunFileBuilder& Record(int type, std::string_view body);
  RunFileBuilder& Raw(std::string_view bytes);

  // Port 1..8: METER1..METER8 (types 1-4, 15-18).
  RunFileBuilder& Meter(int port, std::string_view data);
  // Port 1..8: ARCHIVEMUX 1..8 (types 5-8, 19-22).
  RunFileBuilder& ArchiveMux(int port, uint32_t time, std::string_view data);
  RunFileBuilder& Analog(std::string_view data);
  RunFileBuilder& AnalogMux(uint32_t time, std::string_view data);
  RunFileBuilder& ArchiveTime(uint32_t time);
  // Logger clock (u32 big-endian) and supply voltage in millivolts (i16 big-endian).
  RunFileBuilder& Battery(uint32_t time, int millivolts);
  RunFileBuilder& TimeStamp(uint32_t time);
  RunFileBuilder& Summary(const RunSummaryFields& summary);
  RunFileBuilder& QlMux(const DataRecordFields& record);
  RunFileBuilder& SenderId(uint8_t sender);
  // Sender, sequence and time (u32 little-endian); with tenMsUnits a seventh byte
  // follows, which tells the host that the time counts 10 ms units.
  RunFileBuilder& ArchiveHeader(uint8_t sender, uint8_t sequence, uint32_t time, bool tenMsUnits = false);

  const Bytes& bytes() const { return bytes_; }
  size_t size() const { return bytes_.size(); }
  Bytes Take() { return std::move(bytes_); }

 private:
  Bytes bytes_;
};

// Writes the bytes to a file; false when it cannot be written whole.
bool WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes);

// A whole run as the logger records it, for the simulated flash, tests and benchmarks.
struct SampleRunOptions {
  int runNumber = 1;
  int mode = 0;                     // run mode code of the directory and the summary
  uint32_t startTime = 1'765'000'000;
  int samples = 20;                 // samples at least
  size_t atLeastBytes = 0;          // and go on sampling until the file is this long
  uint8_t sender = 2;
  int activePorts = 3;              // serial ports 1..activePorts carry an instrument
  int analogChannels = 2;           // analog ports 1..analogChannels are on
  uint64_t seed = 1;
  int startMillivolts = 12480;
};

// What the run holds besides its bytes: the figures the directory entry and the
// summary report.
struct SampleRun {
  Bytes bytes;
  RunSummaryFields summary;
};

// The samples take turns at the logger's three ways of storing a sample: an ARCHIVE
// HEADER followed by METER and ANALOG records; ARCHIVEMUX and ANALOG records stamped
// with their time; one ARCHIVE QLMUX record. A BATTERY record follows every tenth
// sample and the run ends with its Summary.
SampleRun BuildSampleRun(const SampleRunOptions& options);

}  // namespace ql::sim
