#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "DatasetAttributes.h"
#include "ObservationWriter.h"
#include "SciencePlan.h"

namespace ql {

// One NetCDF-4 file per run or archive, after the CF conventions for a single time
// series of observations: one row per line of text (per record for binary data and
// the analog channels, per battery reading), every variable along the unlimited `obs`
// dimension with `time` as its coordinate, cells a row does not use left at their
// fill value. Rows are gathered in blocks and written a block at a time, so memory
// stays the same however long the run is.
class NetcdfOutput : public ObservationWriter {
 public:
  static constexpr size_t kBlock = 4096;

  NetcdfOutput(const std::filesystem::path& path, const SciencePlan& plan, const DatasetAttributes& attributes);
  ~NetcdfOutput() override;

  void Line(int source, const RowStamp& stamp, std::string_view text, const std::vector<double>* numbers) override;
  void Analog(const RowStamp& stamp, const std::vector<double>& volts) override;
  void Battery(const RowStamp& stamp, double volts) override;
  void Close(std::vector<std::string>& written, std::vector<FailedOutput>& failed) override;

 private:
  struct NumberColumn {
    int var = -1;
    std::vector<double> cells;
  };
  struct TextColumn {
    int var = -1;
    std::vector<std::string> cells;
  };

  bool Ok(int status);
  void Define(const SciencePlan& plan, const DatasetAttributes& attributes);
  void DefineGlobals(const DatasetAttributes& attributes);
  void Chunk(int var, size_t rows);
  void DefineStamp();
  int DefineNumber(const std::string& name, const std::string& longName, bool volts);
  void BeginRow(const RowStamp& stamp, int source);
  void Flush();

  std::filesystem::path path_;
  std::string error_;
  int ncid_ = -1;
  int obs_ = -1;
  int timeVar_ = -1, senderVar_ = -1, sequenceVar_ = -1, sourceVar_ = -1;
  std::vector<double> time_;
  std::vector<int16_t> sender_, sequence_;
  std::vector<int8_t> source_;
  std::vector<NumberColumn> numbers_;
  std::vector<TextColumn> texts_;
  std::array<int, 9> textOf_{};    // index into texts_ of each source, -1 for none
  std::array<int, 9> numbersOf_{};  // index into numbers_ of a source's first number
  int analogOf_ = -1;
  int batteryOf_ = -1;
  size_t pending_ = 0;  // rows in the blocks, not yet in the file
  size_t written_ = 0;  // rows in the file
};

}  // namespace ql
