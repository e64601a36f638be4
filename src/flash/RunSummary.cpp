#include "RunSummary.h"

#include "ExtractOutputs.h"
#include "RunSummaryTexts.h"
#include "common/ByteOrder.h"
#include "common/Calendar.h"
#include "common/Format.h"
#include "common/Operator.h"

namespace ql {
namespace {

template <size_t N>
void GetI16Array(const uint8_t* p, std::array<int16_t, N>& out) {
  for (size_t k = 0; k < N; ++k) out[k] = GetI16BE(p + 2 * k);
}

int32_t GetI32BE(const uint8_t* p) { return static_cast<int32_t>(GetU32BE(p)); }

std::string TitlePiece(const RunSummaryRecord& r) {
  const std::string start = FormatCalendar("%m/%d/%y at %H:%M:%S", ToCalendar(r.startTime));
  switch (r.mode) {
    case 0: return Format("Run # %1d:  Profile on %s\n\n", r.run, start.c_str());
    case 1: return Format("Run # %1d:  Moored on %s\n\n", r.run, start.c_str());
    case 12: return Format("Run # %1d:  Polled Moored on %s\n\n", r.run, start.c_str());
    default: return Format("Run # %1d: Unknown Mode %d  on %s\n\n", r.run, r.mode, start.c_str());
  }
}

std::string MeterPiece(const RunSummaryRecord& r) {
  const std::string firmware = Format("\n\nFirmware Version %2d.%02d  %2d/%02d/%02d\n\n", r.firmwareMajor,
                                      r.firmwareMinor, r.firmwareDate[0], r.firmwareDate[1], r.firmwareDate[2]);
  switch (r.meterType) {
    case 1: return Format("bx5Plus S/N-%03d", r.serialNumber) + firmware;
    case 2: return Format("QL9 S/N-%03d", r.serialNumber) + firmware;
    case 3: return Format("EXT Plus S/N=%03d", r.serialNumber) + firmware;
    default: return Format("Unknown Meter Type %d S/N-%03d", r.meterType, r.serialNumber) + firmware;
  }
}

// The power names carry a literal per-cent sign, so they are text, not formats.
std::string PowerPiece(const RunSummaryRecord& r) {
  return std::string(PowerLabel(r.powerKHz)) + Format("%d kHz \n\n", r.powerKHz);
}

std::string FileFormatPiece(const RunSummaryRecord& r) {
  switch (r.fileFormat) {
    case 0: return "File Format:  No Data Recorded\n";
    case 1: return "File Format:  ZR Archive Files\n";
    default: return Format("File Format:  Invalid File Format: %d\n", r.fileFormat);
  }
}

std::string LoggerPiece(const RunSummaryRecord& r) {
  if (r.fileFormat != 1 && r.outputFormat != 1 && r.outputFormat != 2) return {};
  const int rate = PacketRate(r.packetPeriodMs);
  return Format("Logger:\nUnit ID: %1d\nPacket Rate: %1d %s\n\n", r.unitId, rate, rate < 11 ? "Hz" : "ms");
}

std::string PumpPiece(const RunSummaryRecord& r) {
  std::string text = "Active Pump Ports: ";
  bool any = false;
  for (int k = 0; k < 4; ++k) {
    if (r.pump[static_cast<size_t>(k)] <= 0) continue;
    text += Format("\t%d", k + 1);
    any = true;
  }
  if (!any) text += "  None";
  return text + "\n\n";
}

std::string AnalogPiece(const RunSummaryRecord& r) {
  std::string text = "Analog Ports: ";
  for (int k = 0; k < 7; ++k) {
    const int setting = r.analog[static_cast<size_t>(k)];
    if (setting == 1) text += Format("\n%1d  On", k + 1);
    if (setting == 2) text += Format("\n%1d  Pump On", k + 1);
  }
  return text + "\n\n";
}

std::string PortsPiece(const RunSummaryRecord& r) {
  constexpr char kTab = '\t';
  std::string text = "Serial Ports: Type Baud     Size  Parity Stop\n";
  text += Format("Host Port: %c%c%-6ld%c%1d%c%c%c1\n", kTab, kTab, static_cast<long>(r.baud[0]), kTab, r.dataBits[0],
                 kTab, ParityLetter(r.parity[0]), kTab);
  for (size_t port = 1; port <= 8; ++port) {
    if (r.device[port] <= 0) continue;
    text += Format("Port %1d:%c%-s %-6ld%c%1d%c%c%c1\n", static_cast<int>(port), kTab, DeviceName(r.device[port]),
                   static_cast<long>(r.baud[port]), kTab, r.dataBits[port], kTab, ParityLetter(r.parity[port]), kTab);
  }
  return text;
}

std::string TimesPiece(const RunSummaryRecord& r) {
  std::string text = Duration("\nDelay Before Start", r.delay) + Duration("Pre-Flush", r.preFlush) +
                     Duration("Warm Up", r.warmUp) + Duration("Flush", r.flush) + Duration("Sample", r.sample);
  if (r.mode == 1 || r.mode == 12) text += Duration("Interval", r.interval);
  return text + "\n";
}

std::string VoltagesPiece(const RunSummaryRecord& r) {
  return Format("Starting Voltage: %4.1f V\n", r.startMillivolts * 0.001) +
         Format("Final Voltage: %4.1f V\n", r.finalMillivolts * 0.001) +
         Format("Low Voltage Cutoff : %4.1lf\n\n", r.lowVoltageCutoff * 0.1);
}

// Sizes up to 1024 bytes are printed in bytes, larger ones in K.
std::string SizesPiece(const RunSummaryRecord& r) {
  constexpr int32_t kInBytes = 1025;
  std::string text = "Recorded File Sizes\n";
  const long analog = r.analogBytes;
  text += analog < kInBytes ? Format("Analog: %8ld\n", analog) : Format("Analog: %8ld K\n", analog / 1024);
  for (size_t port = 1; port <= 8; ++port) {
    if (r.device[port] <= 0) continue;
    const long bytes = r.portBytes[port - 1];
    const int n = static_cast<int>(port);
    text += bytes < kInBytes ? Format("Port %1d: %8ld Bytes\n", n, bytes) : Format("Port %1d: %8ld K\n", n, bytes / 1024);
  }
  return text;
}

std::string FlashPiece(const RunSummaryRecord& r) {
  return Format("\nTotal Disk Space: %1ld K\n", static_cast<long>(r.totalFlash / 1024)) +
         Format("Free Disk Space: %1ld K at End of Sample\n", static_cast<long>(r.freeFlash / 1024));
}

}  // namespace

RunSummaryRecord DecodeRunSummary(const uint8_t* b) {
  RunSummaryRecord r;
  r.run = GetI16BE(b + 0);
  r.mode = GetI16BE(b + 2);
  r.meterType = GetI16BE(b + 4);
  r.serialNumber = GetI16BE(b + 6);
  r.fileFormat = GetI16BE(b + 8);
  r.outputFormat = GetI16BE(b + 10);
  GetI16Array(b + 12, r.device);
  r.powerKHz = GetI16BE(b + 30);
  for (size_t k = 0; k < 9; ++k) r.baud[k] = GetU32BE(b + 36 + 4 * k);
  GetI16Array(b + 72, r.dataBits);
  GetI16Array(b + 90, r.parity);
  r.lowVoltageCutoff = GetI16BE(b + 110);
  GetI16Array(b + 130, r.analog);
  GetI16Array(b + 144, r.pump);
  r.delay = GetU32BE(b + 152);
  r.preFlush = GetU32BE(b + 156);
  r.warmUp = GetU32BE(b + 160);
  r.flush = GetU32BE(b + 164);
  r.sample = GetU32BE(b + 168);
  r.interval = GetU32BE(b + 172);
  r.startTime = GetU32BE(b + 176);
  r.unitId = GetI16BE(b + 188);
  r.packetPeriodMs = GetI16BE(b + 190);
  r.startMillivolts = GetI16BE(b + 192);
  r.finalMillivolts = GetI16BE(b + 194);
  r.analogBytes = GetI32BE(b + 200);
  for (size_t k = 0; k < 8; ++k) r.portBytes[k] = GetI32BE(b + 204 + 4 * k);
  r.freeFlash = GetI32BE(b + 236);
  r.totalFlash = GetI32BE(b + 240);
  r.firmwareMajor = GetI16BE(b + 244);
  r.firmwareMinor = GetI16BE(b + 246);
  GetI16Array(b + 248, r.firmwareDate);
  return r;
}

std::string RunSummaryText(const RunSummaryRecord& r) {
  std::string text = TitlePiece(r) + MeterPiece(r) + PowerPiece(r);
  if (r.freeFlash / 1024 <= 50) text += "***Warning*** This Run may have terminated early.  Out of Memory!!!\n\n";
  text += FileFormatPiece(r);
  text += "Output Format:  " + OutputFormatText(r.outputFormat) + "\n\n";
  text += LoggerPiece(r) + PumpPiece(r) + AnalogPiece(r) + PortsPiece(r) + TimesPiece(r) + VoltagesPiece(r) +
          SizesPiece(r) + FlashPiece(r);
  return text;
}

std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

void WriteRunSummary(const uint8_t* body, ExtractOutputs& outputs, Operator& op) {
  if (!outputs.Open(kOutSummary)) {
    op.Warning("File Extraction Error", "Unable to create Summary File");
    return;
  }
  const std::string text = WithCrLf(RunSummaryText(DecodeRunSummary(body)));
  outputs.Append(kOutSummary, reinterpret_cast<const uint8_t*>(text.data()), text.size());
  outputs.Close(kOutSummary);
}

}  // namespace ql
