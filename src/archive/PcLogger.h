#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "ArchiveRecord.h"

namespace ql {

class Annotation;
class PortTable;
struct DeckConfig;

// The host's own logger: once per sample interval it packs what its "Meter Input" deck
// ports delivered, and a mark or the PC time as text, into a data record of sender 1.
class PcLogger {
 public:
  static constexpr uint8_t kLoggerId = 1;
  static constexpr int kRecordCapacity = archive::kHeaderSize + archive::kMaxData + archive::kTrailerSize;

  // What the PC-Logger page has chosen for the records.
  struct Choice {
    int intervalMs = 1000;   // the deck interval: 1000 ms divided by the deck rate
    bool addPcTime = false;  // CBRecordPCTime "Add PC Time to Port 9 "
  };
  // Bytes read from each deck port 1..8, for the PC-Logger page to show.
  using InputCounts = std::array<uint32_t, 9>;

  int64_t triggerMs = 0;  // PC milliseconds at the last trigger

  // PC milliseconds since the first reading, and the PC time text of the moment.
  // utcMs: the PC's UTC time in ms; hostSeconds and milliseconds: its local time.
  void ReadClock(int64_t utcMs, int64_t hostSeconds, int milliseconds);
  int64_t NowMs() const { return nowMs_; }
  // Formatted when asked for, not on every reading: the clock is read 200 times a
  // second, the text is wanted at most once a record.
  std::string TimeText() const;

  // Builds the record due now. Returns its length (data + 32) with the header in the
  // logger's big-endian order, or 0 when nothing is due or nothing was gathered. What
  // each Meter Input port delivered is added to its entry of `input`.
  int Build(const Choice& choice, Annotation& annotation, PortTable& ports, const DeckConfig& deck,
            InputCounts& input);
  uint8_t* Record() { return record_.data(); }
  uint8_t Sequence() const { return sequence_; }

 private:
  int GatherPorts(PortTable& ports, const DeckConfig& deck, int limit, InputCounts& input);
  void WriteHeader(int dataCount, int64_t recordStart);

  bool clockStarted_ = false;
  int64_t firstUtcMs_ = 0;
  int64_t nowMs_ = 0;
  int64_t hostSeconds_ = 0;  // the local time of the last reading
  int hundredths_ = 0;
  int64_t startMs_ = 0;  // start of the record under construction
  uint8_t sequence_ = 0;
  std::array<uint16_t, archive::kSources> counts_{};
  std::array<uint8_t, kRecordCapacity> record_{};
};

}  // namespace ql
