#include "RecordLines.h"

#include "archive/ArchiveRecord.h"
#include "common/ByteOrder.h"
#include "science/ArchiveRecords.h"
#include "science/InstrumentText.h"

namespace ql {

void ForEachRecordLine(const uint8_t* record, const std::function<void(std::string_view line)>& line) {
  SourceRecord split;
  if (!SplitRecord(record, GetU16LE(record + archive::kDataLength), split)) return;
  std::string text;
  for (int port = 1; port < archive::kSources; ++port) {
    const std::string_view bytes = split.sources[static_cast<size_t>(port - 1)];
    if (bytes.empty() || !IsText(bytes)) continue;
    ForEachLine(bytes, [&](std::string_view piece) {
      text = std::to_string(split.sender) + "," + std::to_string(port) + ",";
      text.append(piece);
      line(text);
    });
  }
}

}  // namespace ql
