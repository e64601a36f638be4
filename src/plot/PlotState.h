#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "SeriesRing.h"
#include "status/LoggerStatus.h"

namespace ql {

// The live plot's data: one ring per quantity, fed by every status packet and by the
// text lines of one chosen instrument port, whether or not the plot is on screen; the
// page draws from it a few times a second while it is shown.
class PlotState {
 public:
  static constexpr size_t kStatusPoints = 4096;       // an hour of statuses, one a second
  static constexpr size_t kInstrumentPoints = 32768;  // an hour of lines at about nine a second
  static constexpr size_t kMostInstrumentSeries = 16;
  static constexpr size_t kLongestLine = 1024;  // longer text without a line end is read as a line
  static constexpr int kSpans[] = {1, 10, 60};  // minutes

  struct Series {
    std::string name;
    bool fromStatus = false;
    bool chosen = false;
    SeriesRing ring;
  };

  PlotState();

  // A status packet received at `seconds` (host seconds with their fraction).
  void AddStatus(const StatusBytes& status, double seconds);
  // An accepted data record (header little-endian): the chosen port's text of the chosen
  // logger ID is cut into lines, and each line's numbers become points.
  void AddRecord(const uint8_t* record, double seconds);

  // The instrument port (1..8) and logger ID (1..4) whose text is read. A change forgets
  // the instrument series, since their names belong to the other instrument.
  void ChooseInstrument(int port, int loggerId);
  int Port() const { return port_; }
  int LoggerId() const { return loggerId_; }

  void SetSpanMinutes(int minutes);  // one of kSpans; others are refused
  int SpanMinutes() const { return spanMinutes_; }

  void Choose(const std::string& name, bool chosen);
  const std::vector<std::unique_ptr<Series>>& AllSeries() const { return series_; }
  const Series* Find(std::string_view name) const;

  // True when points or series came since the last call: the page redraws only then.
  bool TakeChanged();
  // True when a series came or went since the last call: the page rebuilds its boxes.
  bool TakeSeriesListChanged();

  // The small text file that keeps the chosen series, the span and the instrument
  // ("Last.plt" beside last.zrh). Reading refuses a text it does not know, changing nothing.
  std::string SetupText() const;
  bool ApplySetupText(std::string_view text);

 private:
  Series& SeriesNamed(const std::string& name, bool fromStatus);
  void AddLine(std::string_view line, double seconds);

  std::vector<std::unique_ptr<Series>> series_;
  std::set<std::string> chosenNames_;  // kept for series that have not come yet
  std::string partialLine_;
  int port_ = 1;
  int loggerId_ = 2;
  int spanMinutes_ = 10;
  bool changed_ = false;
  bool listChanged_ = true;
};

}  // namespace ql
