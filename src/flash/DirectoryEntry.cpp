#include "DirectoryEntry.h"

#include <iterator>

#include "common/ByteOrder.h"
#include "common/Calendar.h"
#include "common/Format.h"

namespace ql {
namespace {

constexpr int kPumpDevice = 7;
constexpr int kNoDevice = -1;
constexpr int kAnalogOn = 1;
constexpr int kAnalogPump = 2;
constexpr int kPumpOn = 1;

template <size_t N>
void ReadI16s(const uint8_t* p, std::array<int16_t, N>& values) {
  for (size_t i = 0; i < N; ++i) values[i] = GetI16LE(p + 2 * i);
}

bool ListedSerial(int code) { return code != 0 && code != kPumpDevice && code != kNoDevice; }

std::string SizeColumn(uint32_t size) {
  if (size >= 1024) return Format("%12ld K", static_cast<long>(size / 1024));
  return Format("%12ld  ", static_cast<long>(size));
}

}  // namespace

DirectoryEntry DecodeDirectoryEntry(const uint8_t* p) {
  DirectoryEntry e;
  e.runNumber = GetI16LE(p + 2);
  e.modeCode = GetI16LE(p + 4);
  ReadI16s(p + 6, e.device);
  ReadI16s(p + 24, e.analog);
  ReadI16s(p + 40, e.pumps);
  e.startTime = GetI32LE(p + 48);
  e.size = GetU32LE(p + 52);
  e.startMillivolts = GetI16LE(p + 56);
  e.endMillivolts = GetI16LE(p + 58);
  return e;
}

const char* RunModeText(int modeCode) {
  // Code 2 has no text of its own.
  static constexpr const char* kTexts[] = {" PROF  ", " MOOR  ", " ERR   ", " ANLG  ", " Port1 ",
                                           " Port2 ", " Port3 ", " Port4 ", " Port5 ", " Port6 ",
                                           " Port7 ", " Port8 ", " POLL  ", " NONE  "};
  if (modeCode < 0 || modeCode >= static_cast<int>(std::size(kTexts))) return " ERR   ";
  return kTexts[modeCode];
}

std::string DirectoryLine(const DirectoryEntry& e) {
  std::string line = Format(" %03d    ", e.runNumber);
  line += RunModeText(e.modeCode);
  line += FormatCalendar("   %m/%d/%y  %H:%M:%S", ToCalendar(e.startTime));
  line += Format(" %6.1f %6.1f ", e.startMillivolts * 0.001, e.endMillivolts * 0.001);
  line += SizeColumn(e.size);
  line += "  Serial:";
  for (int port = 1; port <= 8; ++port) {
    if (ListedSerial(e.device[static_cast<size_t>(port)])) line += Format(" %1d", port);
  }
  line += "  Analog:";
  for (int port = 1; port <= 7; ++port) {
    if (e.analog[static_cast<size_t>(port)] == kAnalogOn) line += Format(" %1d", port);
  }
  line += "  Pumps:";
  for (int pump = 1; pump <= 4; ++pump) {
    if (e.pumps[static_cast<size_t>(pump - 1)] == kPumpOn) line += Format(" %1d", pump);
  }
  for (int port = 1; port <= 8; ++port) {
    if (e.device[static_cast<size_t>(port)] == kPumpDevice) line += Format(" S%1d", port);
  }
  for (int port = 1; port <= 7; ++port) {
    if (e.analog[static_cast<size_t>(port)] == kAnalogPump) line += Format(" A%1d", port);
  }
  return line;
}

}  // namespace ql
