#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include "CsvTable.h"
#include "ObservationWriter.h"
#include "SciencePlan.h"

namespace ql {

// The CSV files of a run or archive, one per source with data: "Port1.<tag>.csv" ..,
// "analog.<tag>.csv" (volts) and "Battery.<tag>.csv" (volts). Each is created with its
// first row.
class CsvOutputs : public ObservationWriter {
 public:
  CsvOutputs(const std::filesystem::path& folder, const std::string& tag, const SciencePlan& plan);

  void Line(int source, const RowStamp& stamp, std::string_view text, const std::vector<double>* numbers) override;
  void Analog(const RowStamp& stamp, const std::vector<double>& volts) override;
  void Battery(const RowStamp& stamp, double volts) override;
  void Close(std::vector<std::string>& written, std::vector<FailedOutput>& failed) override;

 private:
  static constexpr int kBattery = 9;

  CsvTable* Opened(int index);
  CsvTable& Create(int index, const std::string& fileName, const std::vector<std::string>& header);
  void Stamp(CsvTable& table, const RowStamp& stamp);

  std::filesystem::path folder_;
  std::string tag_;
  const SciencePlan& plan_;
  std::array<std::unique_ptr<CsvTable>, 10> tables_;  // sources 0..8, battery
  std::vector<int> order_;  // table indexes in the order their files were created
};

}  // namespace ql
