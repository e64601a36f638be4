#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "archive/ArchiveRecord.h"

namespace ql {

// Header values of an archive record rebuilt from a run's separate port records.
struct RebuiltHeader {
  uint8_t timeUnit = 0;
  uint8_t sender = 0;
  uint8_t sequence = 0;
  uint32_t time = 0;
};

// The nine data slots (ports 1..8, analog) of one archive record being rebuilt. Together
// they never hold more than a record the host builds may carry (what replay can take),
// so the 16-bit data length and the counts cannot overflow and the archive replays
// whole: the extraction writes the record early when the next piece would not fit.
class RecordSlots {
 public:
  static constexpr int kSlots = 9;
  static constexpr size_t kMaxData = archive::kMaxBuiltData;

  RecordSlots();

  bool Empty() const { return total_ == 0; }
  bool Fits(size_t count) const { return total_ + count <= kMaxData; }
  // Both expect the piece to fit.
  void Append(int slot, const uint8_t* bytes, size_t count);
  void Put(int slot, const uint8_t* bytes, size_t count);  // replaces the slot's data
  void ClearSlot(int slot);
  void Clear();

  // The record in archive form (header little-endian, the slots' data in slot order,
  // "####"), or nothing when every slot is empty; the slots are emptied.
  const std::vector<uint8_t>& Take(const RebuiltHeader& header);

 private:
  std::array<std::vector<uint8_t>, kSlots> slots_;
  size_t total_ = 0;
  std::vector<uint8_t> record_;
};

}  // namespace ql
