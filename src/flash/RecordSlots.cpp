#include "RecordSlots.h"

#include "common/ByteOrder.h"

namespace ql {
namespace {

constexpr size_t kHeaderSize = 28;
constexpr uint8_t kTrailer[4] = {'#', '#', '#', '#'};
constexpr uint8_t kHostBuiltFormat = 1;

}  // namespace

RecordSlots::RecordSlots() {
  for (auto& slot : slots_) slot.reserve(kMaxData);
  record_.reserve(kHeaderSize + kMaxData + sizeof kTrailer);
}

void RecordSlots::Append(int slot, const uint8_t* bytes, size_t count) {
  slots_[static_cast<size_t>(slot)].insert(slots_[static_cast<size_t>(slot)].end(), bytes, bytes + count);
  total_ += count;
}

void RecordSlots::Put(int slot, const uint8_t* bytes, size_t count) {
  ClearSlot(slot);
  Append(slot, bytes, count);
}

void RecordSlots::ClearSlot(int slot) {
  total_ -= slots_[static_cast<size_t>(slot)].size();
  slots_[static_cast<size_t>(slot)].clear();
}

void RecordSlots::Clear() {
  for (auto& slot : slots_) slot.clear();
  total_ = 0;
}

const std::vector<uint8_t>& RecordSlots::Take(const RebuiltHeader& header) {
  record_.clear();
  if (Empty()) return record_;
  record_.resize(kHeaderSize);
  uint8_t* h = record_.data();
  h[0] = kHostBuiltFormat;
  h[1] = header.timeUnit;
  h[2] = header.sender;
  h[3] = header.sequence;
  PutU16LE(h + 4, static_cast<uint16_t>(total_));
  PutU32LE(h + 6, header.time);
  for (int k = 0; k < kSlots; ++k) PutU16LE(h + 10 + 2 * k, static_cast<uint16_t>(slots_[static_cast<size_t>(k)].size()));
  for (const auto& slot : slots_) record_.insert(record_.end(), slot.begin(), slot.end());
  record_.insert(record_.end(), std::begin(kTrailer), std::end(kTrailer));
  Clear();
  return record_;
}

}  // namespace ql
