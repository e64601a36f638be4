#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "RecordTime.h"
#include "common/FailedOutput.h"

namespace ql {

// When a row was recorded and by whom; battery rows have no sender or sequence (-1).
struct RowStamp {
  RecordTime time;
  int sender = -1;
  int sequence = -1;
};

// One science file format: it takes the rows of a run or archive in the order they were
// recorded and writes them as they come.
class ObservationWriter {
 public:
  virtual ~ObservationWriter() = default;

  // A line of text of source 0..8 (ports 1..8, the ninth source), or the hex of a
  // binary source's bytes; `numbers` holds the values of the source's number columns,
  // nullptr when the line has none.
  virtual void Line(int source, const RowStamp& stamp, std::string_view text, const std::vector<double>* numbers) = 0;
  virtual void Analog(const RowStamp& stamp, const std::vector<double>& volts) = 0;
  virtual void Battery(const RowStamp& stamp, double volts) = 0;
  // Ends every file: the ones written whole get their own names, the others keep
  // ".part" behind theirs and are listed with the reason.
  virtual void Close(std::vector<std::string>& written, std::vector<FailedOutput>& failed) = 0;
};

}  // namespace ql
