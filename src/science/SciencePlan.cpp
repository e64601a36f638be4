#include "SciencePlan.h"

#include <algorithm>
#include <map>

#include "InstrumentText.h"
#include "plot/NumberReader.h"

namespace ql {
namespace {

std::vector<std::string> NamesOf(const std::vector<NamedNumber>& numbers) {
  std::vector<std::string> names;
  names.reserve(numbers.size());
  for (const NamedNumber& n : numbers) names.push_back(n.name);
  return names;
}

}  // namespace

std::vector<std::string> UniqueNames(const std::vector<std::string>& names) {
  std::map<std::string, int> seen;
  std::vector<std::string> unique;
  unique.reserve(names.size());
  for (const std::string& name : names) {
    const int times = ++seen[name];
    unique.push_back(times == 1 ? name : name + "_" + std::to_string(times));
  }
  return unique;
}

void SciencePlan::See(const SourceRecord& record) {
  bool any = false;
  for (int k = 0; k < kPorts + 1; ++k) {
    const std::string_view bytes = record.sources[static_cast<size_t>(k)];
    if (bytes.empty()) continue;
    any = true;
    SourcePlan& source = sources_[static_cast<size_t>(k)];
    source.kind = SourceKind::kText;  // for now: data seen
    source.allLineEnds = source.allLineEnds && bytes.back() == '\n';
    source.allEven = source.allEven && bytes.size() % 2 == 0;
    analogChannels_ = std::max(analogChannels_, k == kNinth ? static_cast<int>(bytes.size() / 2) : 0);
    SeeText(source, bytes);
  }
  if (any) SeeTime(record.time);
}

void SciencePlan::SeeText(SourcePlan& source, std::string_view bytes) {
  if (!source.allText) return;
  source.allText = IsText(bytes);
  if (!source.allText) return;
  ForEachLine(bytes, [&](std::string_view line) {
    const std::vector<NamedNumber> numbers = ReadNumbers(line);
    if (numbers.empty() || source.namesDiffer) return;
    std::vector<std::string> names = NamesOf(numbers);
    if (!source.lineNames) {
      source.lineNames = std::move(names);
    } else if (*source.lineNames != names) {
      source.namesDiffer = true;
    }
  });
}

void SciencePlan::SeeBattery(const RecordTime& time) {
  ++batteryRows_;
  SeeTime(time);
}

void SciencePlan::SeeTime(const RecordTime& time) {
  if (!first_ || time.Seconds() < first_->Seconds()) first_ = time;
  if (!last_ || time.Seconds() > last_->Seconds()) last_ = time;
}

// The ninth source is the host's text (PC time, annotations) when every piece is text
// ending a line; otherwise, with whole 16-bit values, it is the logger's analog data.
void SciencePlan::Settle() {
  for (int k = 0; k < kPorts + 1; ++k) {
    SourcePlan& source = sources_[static_cast<size_t>(k)];
    if (source.kind == SourceKind::kNone) continue;
    const bool text = source.allText && (k != kNinth || source.allLineEnds);
    if (text) {
      source.kind = SourceKind::kText;
      if (source.lineNames && !source.namesDiffer) source.names = UniqueNames(*source.lineNames);
    } else {
      source.kind = k == kNinth && source.allEven ? SourceKind::kAnalog : SourceKind::kBinary;
    }
  }
  if (Source(kNinth).kind != SourceKind::kAnalog) analogChannels_ = 0;
}

}  // namespace ql
