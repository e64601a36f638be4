#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace ql {

class ExtractOutputs;
class Operator;

// The run summary record (body of a type 11 run record) in host order. On the logger's
// side every multi-byte field is big-endian.
struct RunSummaryRecord {
  static constexpr size_t kSize = 256;

  int16_t run = 0;
  int16_t mode = 0;
  int16_t meterType = 0;
  int16_t serialNumber = 0;
  int16_t fileFormat = 0;
  int16_t outputFormat = 0;
  std::array<int16_t, 9> device{};  // port 0 (host) and ports 1..8
  int16_t powerKHz = 0;
  std::array<uint32_t, 9> baud{};
  std::array<int16_t, 9> dataBits{};
  std::array<int16_t, 9> parity{};
  int16_t lowVoltageCutoff = 0;  // tenths of a volt
  std::array<int16_t, 7> analog{};
  std::array<int16_t, 4> pump{};
  uint32_t delay = 0, preFlush = 0, warmUp = 0, flush = 0, sample = 0, interval = 0;
  uint32_t startTime = 0;
  int16_t unitId = 0;
  int16_t packetPeriodMs = 0;
  int16_t startMillivolts = 0;
  int16_t finalMillivolts = 0;
  int32_t analogBytes = 0;
  std::array<int32_t, 8> portBytes{};
  int32_t freeFlash = 0;
  int32_t totalFlash = 0;
  int16_t firmwareMajor = 0;
  int16_t firmwareMinor = 0;
  std::array<int16_t, 3> firmwareDate{};
};

// body: kSize bytes.
RunSummaryRecord DecodeRunSummary(const uint8_t* body);

// The summary text, "\n" ending each line.
std::string RunSummaryText(const RunSummaryRecord& record);

// The summary is a text file whose lines end in CR LF on every platform.
std::string WithCrLf(const std::string& text);

// Creates "Summary.xxx" among the extraction's outputs and writes the summary of the
// record into it (kSize bytes of body). A file that cannot be created is reported in a
// warning box and the extraction goes on.
void WriteRunSummary(const uint8_t* body, ExtractOutputs& outputs, Operator& op);

}  // namespace ql
