#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "ArchiveRecords.h"
#include "RecordTime.h"

namespace ql {

// How a source's bytes are written.
enum class SourceKind {
  kNone,    // no data in any record
  kText,    // lines of text, one row each
  kBinary,  // the bytes of each record as hex, one row per record
  kAnalog,  // the ninth source of logger records: a 16-bit millivolt value per channel
};

struct SourcePlan {
  SourceKind kind = SourceKind::kNone;
  // The number columns of a text source: the names the plot page reads from its lines,
  // when every line with numbers has the same ones; empty otherwise.
  std::vector<std::string> names;

  // Seen while reading: whether every piece is text (and, for the ninth source, ends a
  // line, as the host's own text does), and the names so far.
  bool allText = true;
  bool allLineEnds = true;
  bool allEven = true;
  bool namesDiffer = false;
  std::optional<std::vector<std::string>> lineNames;
};

// What the first reading of an archive learns, so that the second can write every file
// with its columns fixed from the first row on and keep nothing but one record in memory.
class SciencePlan {
 public:
  static constexpr int kPorts = 8;
  static constexpr int kNinth = 8;  // index of the ninth source

  void See(const SourceRecord& record);
  void SeeBattery(const RecordTime& time);
  // Fixes each source's kind and columns once everything has been seen.
  void Settle();

  const SourcePlan& Source(int k) const { return sources_[static_cast<size_t>(k)]; }
  int AnalogChannels() const { return analogChannels_; }
  uint64_t BatteryRows() const { return batteryRows_; }
  const std::optional<RecordTime>& First() const { return first_; }
  const std::optional<RecordTime>& Last() const { return last_; }

 private:
  void SeeTime(const RecordTime& time);
  void SeeText(SourcePlan& source, std::string_view bytes);

  std::array<SourcePlan, 9> sources_;
  int analogChannels_ = 0;
  uint64_t batteryRows_ = 0;
  std::optional<RecordTime> first_;
  std::optional<RecordTime> last_;
};

// Column names of a line's numbers: a name met again in the same line gets "_2", "_3" ...
std::vector<std::string> UniqueNames(const std::vector<std::string>& names);

}  // namespace ql
