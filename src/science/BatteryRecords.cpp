#include "BatteryRecords.h"

#include <fstream>

#include "common/ByteOrder.h"

namespace ql {

BatteryReading ReadBatteryRecords(const std::filesystem::path& path,
                                  const std::function<void(const RecordTime& time, double volts)>& visit) {
  BatteryReading reading;
  std::ifstream in(path, std::ios::binary);
  reading.opened = in.is_open();
  uint8_t record[kBatteryRecordBytes];
  while (in.read(reinterpret_cast<char*>(record), sizeof record)) {
    ++reading.records;
    visit(RecordTime{GetU32BE(record), 0}, GetI16BE(record + 4) / 1000.0);
  }
  reading.leftoverBytes = static_cast<uint64_t>(in.gcount());
  return reading;
}

}  // namespace ql
