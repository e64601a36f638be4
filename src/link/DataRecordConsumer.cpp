#include "DataRecordConsumer.h"

#include "DeckConfig.h"
#include "RealTimeDisplay.h"
#include "SenderStatistics.h"
#include "archive/ArchiveRecord.h"
#include "common/ByteOrder.h"
#include "common/Format.h"
#include "common/Operator.h"
#include "serial/PortTable.h"

namespace ql {
namespace {

using archive::kHeaderSize;
using archive::kSources;
using archive::kTrailerSize;

// Where source k's bytes lie among the data bytes. A source whose counts would reach
// past the data (a malformed record) has no slice, so nothing is read outside it.
struct Slice {
  int offset = 0;
  int count = 0;
};

Slice SourceSlice(const uint8_t* record, int dataLength, int source) {
  int offset = 0;
  for (int k = 0; k < source; ++k) {
    const int count = GetI16LE(record + 10 + 2 * k);
    if (count < 0) return {};
    offset += count;
  }
  const int count = GetI16LE(record + 10 + 2 * source);
  if (count <= 0 || offset + count > dataLength) return {};
  return {kHeaderSize + offset, count};
}

}  // namespace

std::string_view SourceData(const uint8_t* record, int source) {
  if (source < 0 || source >= kSources) return {};
  const Slice slice = SourceSlice(record, GetI16LE(record + 4), source);
  return {reinterpret_cast<const char*>(record + slice.offset), static_cast<size_t>(slice.count)};
}

DataRecordConsumer::DataRecordConsumer(SenderStatistics& stats, const DeckConfig& deck, PortTable& ports,
                                       RealTimeDisplay& display, Operator& op)
    : stats_(stats), deck_(deck), ports_(ports), display_(display), op_(op) {
  lastSequence_.fill(0xFF);
}

uint8_t DataRecordConsumer::LastSequence(int sender) const {
  return sender >= 0 && sender < kSequenceSlots ? lastSequence_[static_cast<size_t>(sender)] : 0xFF;
}

int DataRecordConsumer::ConsumeDataRecord(uint8_t* record, int length, int recordState, bool continuation) {
  if (length < kHeaderSize + kTrailerSize) return kMalformed;
  archive::SwapHeaderOrder(record);
  const int sender = record[2];
  const uint8_t sequence = record[3];
  const int dataLength = GetI16LE(record + 4);
  // Senders beyond the table are treated like those of 5..8: never accepted, their
  // sequence position stays at its start value.
  const bool inTable = sender < kSequenceSlots;
  const auto s = static_cast<size_t>(sender);
  // The rest of a record already handed on: already counted and checked.
  const bool rest = continuation && inTable && lastHandedOn_[s] && lastSequence_[s] == sequence;

  if (LastSequence(sender) == sequence && !rest) return kDuplicate;
  if (dataLength == 0) {
    if (inTable) {
      lastSequence_[s] = sequence;
      lastHandedOn_[s] = false;
    }
    return kNoData;
  }
  if (sender > kHighestSender) {
    op_.Warning("Mux ID Error", Format("%c%cSender Unit %d %d", '\r', '\n', sender, sender));
    return kBadSender;
  }
  if (dataLength < 0 || dataLength > length - kHeaderSize - kTrailerSize) return kMalformed;

  if (!rest) {
    stats_.packets[s] += 1;
    const uint8_t last = lastSequence_[s];
    if (sequence != static_cast<uint8_t>(last + 1)) {
      stats_.sequenceErrorTotal += 1;
      stats_.errors[s] += 1;
      stats_.gap[s] = sequence > last ? static_cast<uint32_t>(sequence - last - 1)
                                      : static_cast<uint32_t>(sequence + 255 - last);
      lastSequence_[s] = sequence;
      lastHandedOn_[s] = false;
      return kOutOfSequence;
    }
  }
  stats_.acceptedTotal += 1;

  ShowExtract(record, sender);
  if (hooks_.accepted) hooks_.accepted(record);
  if (sender > 0) Relay(record, sender);
  const int result = Record(record, length, recordState);
  lastSequence_[s] = sequence;
  lastHandedOn_[s] = true;
  return result;
}

void DataRecordConsumer::ShowExtract(const uint8_t* record, int sender) {
  const RealTimeDisplay& d = display_;
  if (!d.running || d.source != RealTimeDisplay::kParsedData || sender != d.loggerId) return;
  if (d.port < 0 || d.port > RealTimeDisplay::kAllAnalogData) return;
  const Slice slice = SourceSlice(record, GetI16LE(record + 4), d.port);
  if (slice.count == 0) return;
  // Several records may be consumed before the next tick writes the terminal: each
  // one's extract is kept.
  display_.parsedExtract.append(reinterpret_cast<const char*>(record + slice.offset),
                                static_cast<size_t>(slice.count));
}

void DataRecordConsumer::Relay(const uint8_t* record, int sender) {
  const int dataLength = GetI16LE(record + 4);
  for (int k = 1; k <= DeckConfig::kDeckPorts; ++k) {
    const DeckPortUse& use = deck_.working[static_cast<size_t>(k)];
    if (use.function != kDeckLoggerOutput || use.loggerId != sender) continue;
    if (use.loggerPort < 1 || use.loggerPort > kSources) continue;
    const Slice slice = SourceSlice(record, dataLength, use.loggerPort - 1);
    if (slice.count == 0) continue;
    ports_.WritePort(k, record + slice.offset, slice.count);
    deckOutput[static_cast<size_t>(k)] += static_cast<uint32_t>(slice.count);
  }
}

int DataRecordConsumer::Record(const uint8_t* record, int length, int recordState) {
  const bool periodic = recordState == 3 || recordState == 4;
  if (recordState != 2 && !periodic) return kNotRecorded;
  const bool written = hooks_.archive && hooks_.archive(record, length, recordState);
  if (periodic) return written ? kPeriodicArchived : kPeriodicArchiveFailed;
  return written ? kArchived : kArchiveFailed;
}

}  // namespace ql
