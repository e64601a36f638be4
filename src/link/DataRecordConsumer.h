#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

namespace ql {

class Operator;
class PortTable;
struct DeckConfig;
struct RealTimeDisplay;
struct SenderStatistics;

// Real-time data records, live, replayed or built by the PC logger: per-sender
// duplicate and sequence checks, the terminal extract, the relay to deck ports and the
// hand-over to the archive writer.
class DataRecordConsumer {
 public:
  // What became of a record.
  enum Result : int {
    kDuplicate = 1,
    kNoData = 2,
    kBadSender = 3,
    kOutOfSequence = 4,
    kArchived = 5,
    kArchiveFailed = 6,
    kPeriodicArchived = 7,
    kPeriodicArchiveFailed = 8,
    kNotRecorded = 9,
    kMalformed = 10,
  };

  struct Hooks {
    // Writes the record (header already little-endian) while recording; true on success.
    std::function<bool(const uint8_t* record, int length, int recordState)> archive;
    // Sees every record that passed the sender checks (header little-endian).
    std::function<void(const uint8_t* record)> accepted;
  };

  static constexpr int kSequenceSlots = 9;
  static constexpr int kHighestSender = 4;

  DataRecordConsumer(SenderStatistics& stats, const DeckConfig& deck, PortTable& ports, RealTimeDisplay& display,
                     Operator& op);
  Hooks& hooks() { return hooks_; }

  // record: the record from its format byte on, data length and counts big-endian as
  // sent; converted in place. length: the data length + 32. continuation: replay found
  // this record right after one with the same sender, sequence and time, a piece of
  // one group split by the host; it is handed on as the rest of that record if that
  // was, and is never a duplicate. Live records are never continuations.
  int ConsumeDataRecord(uint8_t* record, int length, int recordState, bool continuation = false);

  // Bytes relayed to each deck port (1..8) since the one-second tick last cleared them.
  std::array<uint32_t, 9> deckOutput{};

  uint8_t LastSequence(int sender) const;

 private:
  void ShowExtract(const uint8_t* record, int sender);
  void Relay(const uint8_t* record, int sender);
  int Record(const uint8_t* record, int length, int recordState);

  SenderStatistics& stats_;
  const DeckConfig& deck_;
  PortTable& ports_;
  RealTimeDisplay& display_;
  Operator& op_;
  Hooks hooks_;
  std::array<uint8_t, kSequenceSlots> lastSequence_;
  std::array<bool, kSequenceSlots> lastHandedOn_{};  // the sender's last record passed every check
};

// The bytes of source 0..8 (ports 1..8, then analog) of an accepted record whose header is
// little-endian; empty when the source sent nothing or its counts reach past the data.
std::string_view SourceData(const uint8_t* record, int source);

}  // namespace ql
