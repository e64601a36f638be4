#include "PlotState.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <utility>

#include "NumberReader.h"
#include "common/Format.h"
#include "link/DataRecordConsumer.h"

namespace ql {
namespace {

constexpr const char* kBattery = "Battery V";
constexpr const char* kFreeMemory = "Free Memory K";

std::string AnalogName(int input) { return Format("Analog %d V", input); }
std::string PortRateName(int port) { return Format("Port %d Bytes/s", port); }

}  // namespace

PlotState::PlotState() {
  SeriesNamed(kBattery, true);
  for (int input = 1; input <= 7; ++input) SeriesNamed(AnalogName(input), true);
  SeriesNamed(kFreeMemory, true);
  for (int port = 1; port <= 8; ++port) SeriesNamed(PortRateName(port), true);
  Choose(kBattery, true);
}

PlotState::Series& PlotState::SeriesNamed(const std::string& name, bool fromStatus) {
  for (auto& s : series_) {
    if (s->name == name) return *s;
  }
  const size_t capacity = fromStatus ? kStatusPoints : kInstrumentPoints;
  series_.push_back(std::make_unique<Series>(Series{name, fromStatus, chosenNames_.count(name) > 0, SeriesRing(capacity)}));
  listChanged_ = true;
  return *series_.back();
}

const PlotState::Series* PlotState::Find(std::string_view name) const {
  for (const auto& s : series_) {
    if (s->name == name) return s.get();
  }
  return nullptr;
}

void PlotState::AddStatus(const StatusBytes& bytes, double seconds) {
  const LoggerStatus status(bytes);
  SeriesNamed(kBattery, true).ring.Push(seconds, status.CurrentMillivolts() / 1000.0);
  for (int input = 1; input <= 7; ++input) {
    SeriesNamed(AnalogName(input), true).ring.Push(seconds, status.AnalogMillivolts(input) / 1000.0);
  }
  SeriesNamed(kFreeMemory, true).ring.Push(seconds, status.FileBytes(LoggerStatus::kFreeFlash) / 1024.0);
  // A negative rate counts bytes per record, not per second: no point for it.
  for (int port = 1; port <= 8; ++port) {
    const int rate = status.PortRate(port);
    if (rate >= 0) SeriesNamed(PortRateName(port), true).ring.Push(seconds, rate);
  }
  changed_ = true;
}

void PlotState::AddRecord(const uint8_t* record, double seconds) {
  if (record[2] != loggerId_) return;
  const std::string_view text = SourceData(record, port_ - 1);
  for (const char c : text) {
    if (c == '\r' || c == '\n') {
      if (!partialLine_.empty()) AddLine(partialLine_, seconds);
      partialLine_.clear();
      continue;
    }
    partialLine_.push_back(c);
    if (partialLine_.size() >= kLongestLine) {
      AddLine(partialLine_, seconds);
      partialLine_.clear();
    }
  }
}

void PlotState::AddLine(std::string_view line, double seconds) {
  for (const NamedNumber& n : ReadNumbers(line)) {
    if (!std::isfinite(n.value)) continue;
    const Series* known = Find(n.name);
    if (known != nullptr && known->fromStatus) continue;
    const size_t instrumentSeries = static_cast<size_t>(
        std::count_if(series_.begin(), series_.end(), [](const auto& s) { return !s->fromStatus; }));
    if (known == nullptr && instrumentSeries >= kMostInstrumentSeries) continue;
    SeriesNamed(n.name, false).ring.Push(seconds, n.value);
    changed_ = true;
  }
}

void PlotState::ChooseInstrument(int port, int loggerId) {
  port = std::clamp(port, 1, 8);
  loggerId = std::clamp(loggerId, 1, 4);
  if (port == port_ && loggerId == loggerId_) return;
  port_ = port;
  loggerId_ = loggerId;
  partialLine_.clear();
  std::erase_if(series_, [](const auto& s) { return !s->fromStatus; });
  listChanged_ = changed_ = true;
}

void PlotState::SetSpanMinutes(int minutes) {
  if (std::find(std::begin(kSpans), std::end(kSpans), minutes) == std::end(kSpans)) return;
  spanMinutes_ = minutes;
  changed_ = true;
}

void PlotState::Choose(const std::string& name, bool chosen) {
  if (chosen) {
    chosenNames_.insert(name);
  } else {
    chosenNames_.erase(name);
  }
  for (auto& s : series_) {
    if (s->name == name) s->chosen = chosen;
  }
  changed_ = true;
}

bool PlotState::TakeChanged() { return std::exchange(changed_, false); }
bool PlotState::TakeSeriesListChanged() { return std::exchange(listChanged_, false); }

std::string PlotState::SetupText() const {
  std::string text = Format("span %d\ninstrument %d %d\n", spanMinutes_, port_, loggerId_);
  for (const std::string& name : chosenNames_) text += "series " + name + "\n";
  return text;
}

bool PlotState::ApplySetupText(std::string_view text) {
  int span = 0, port = 0, loggerId = 0;
  std::set<std::string> chosen;
  std::istringstream in{std::string(text)};
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    std::istringstream words(line);
    std::string key;
    words >> key;
    if (key == "span") {
      words >> span;
    } else if (key == "instrument") {
      words >> port >> loggerId;
    } else if (key == "series" && line.size() > 7) {
      chosen.insert(line.substr(7));
    } else {
      return false;
    }
    if (words.fail()) return false;
  }
  if (std::find(std::begin(kSpans), std::end(kSpans), span) == std::end(kSpans)) return false;
  if (port < 1 || port > 8 || loggerId < 1 || loggerId > 4) return false;

  spanMinutes_ = span;
  ChooseInstrument(port, loggerId);
  chosenNames_ = std::move(chosen);
  for (auto& s : series_) s->chosen = chosenNames_.count(s->name) > 0;
  changed_ = true;
  return true;
}

}  // namespace ql
