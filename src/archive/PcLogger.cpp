#include "PcLogger.h"

#include <cstring>

#include "Annotation.h"
#include "common/Calendar.h"
#include "common/Format.h"
#include "link/DeckConfig.h"
#include "serial/PortTable.h"

namespace ql {
namespace {

constexpr char kTrailer[] = "####";
constexpr char kLineEnd[] = "\r\n";

}  // namespace

void PcLogger::ReadClock(int64_t utcMs, int64_t hostSeconds, int milliseconds) {
  // Counted from UTC, so the count runs on through New Year and the end of daylight
  // saving time; the text shows the local time.
  if (!clockStarted_) {
    clockStarted_ = true;
    firstUtcMs_ = utcMs - utcMs % 10;
  }
  nowMs_ = utcMs - utcMs % 10 - firstUtcMs_;
  hostSeconds_ = hostSeconds;
  hundredths_ = milliseconds / 10;
}

std::string PcLogger::TimeText() const {
  const CalendarTime t = ToCalendar(hostSeconds_);
  return Format("%02d/%02d/%02d%c%02d:%02d:%02d.%03d", t.month, t.day, t.year % 100, '\t', t.hour, t.minute, t.second,
                hundredths_ * 10);
}

int PcLogger::Build(const Choice& choice, Annotation& annotation, PortTable& ports, const DeckConfig& deck,
                    InputCounts& input) {
  // A clock set back starts the record afresh instead of waiting for the old start.
  if (nowMs_ < startMs_) startMs_ = nowMs_;
  if (nowMs_ < startMs_ + choice.intervalMs) return 0;

  // The text is chosen first so that the ports leave room for it: a mark always fits,
  // and what a port could not deliver now waits in it for the next record.
  std::string text;
  if (annotation.pending) {
    text = annotation.Take() + kLineEnd;
  } else if (choice.addPcTime) {
    text = TimeText() + kLineEnd;
  }
  counts_.fill(0);
  int dataCount = GatherPorts(ports, deck, archive::kMaxBuiltData - static_cast<int>(text.size()), input);
  uint8_t* data = record_.data() + archive::kHeaderSize;
  std::memcpy(data + dataCount, text.data(), text.size());
  counts_[archive::kSources - 1] = static_cast<uint16_t>(text.size());
  dataCount += static_cast<int>(text.size());
  std::memcpy(data + dataCount, kTrailer, archive::kTrailerSize);

  // An empty record is not handed on and keeps its sequence number; either way the
  // next record starts now.
  const int64_t recordStart = startMs_;
  startMs_ = nowMs_;
  if (dataCount == 0) return 0;
  WriteHeader(dataCount, recordStart);
  ++sequence_;
  return dataCount + archive::kEnvelope;
}

int PcLogger::GatherPorts(PortTable& ports, const DeckConfig& deck, int limit, InputCounts& input) {
  uint8_t* data = record_.data() + archive::kHeaderSize;
  int count = 0;
  for (int k = 1; k <= DeckConfig::kDeckPorts; ++k) {
    if (deck.working[static_cast<size_t>(k)].function != kDeckMeterInput) continue;
    const int n = ports.ReadPort(k, data + count, limit - count);
    if (n <= 0) continue;
    counts_[static_cast<size_t>(k - 1)] = static_cast<uint16_t>(n);
    input[static_cast<size_t>(k)] += static_cast<uint32_t>(n);
    count += n;
  }
  return count;
}

void PcLogger::WriteHeader(int dataCount, int64_t recordStart) {
  uint8_t* h = record_.data();
  h[archive::kFormat] = 1;
  h[archive::kTimeUnit] = 1;  // the time counts 10 ms units
  h[archive::kSender] = kLoggerId;
  h[archive::kSequence] = sequence_;
  // Handed on in the logger's order, exactly as a received data packet.
  PutU16BE(h + archive::kDataLength, static_cast<uint16_t>(dataCount));
  PutU32BE(h + archive::kTime, static_cast<uint32_t>(recordStart / 10));
  for (size_t k = 0; k < counts_.size(); ++k) PutU16BE(h + archive::kCounts + 2 * k, counts_[k]);
}

}  // namespace ql
