#include "CsvOutputs.h"

#include "SourceNames.h"
#include "common/Format.h"

namespace ql {
namespace {

const std::vector<std::string> kStampColumns = {"time", "logger_id", "sequence"};

std::vector<std::string> StampedHeader(const std::vector<std::string>& rest) {
  std::vector<std::string> header = kStampColumns;
  header.insert(header.end(), rest.begin(), rest.end());
  return header;
}

}  // namespace

CsvOutputs::CsvOutputs(const std::filesystem::path& folder, const std::string& tag, const SciencePlan& plan)
    : folder_(folder), tag_(tag), plan_(plan) {}

CsvTable* CsvOutputs::Opened(int index) { return tables_[static_cast<size_t>(index)].get(); }

CsvTable& CsvOutputs::Create(int index, const std::string& fileName, const std::vector<std::string>& header) {
  std::unique_ptr<CsvTable>& table = tables_[static_cast<size_t>(index)];
  table = std::make_unique<CsvTable>();
  table->Open(folder_ / (fileName + "." + tag_ + ".csv"), header);
  order_.push_back(index);
  return *table;
}

void CsvOutputs::Stamp(CsvTable& table, const RowStamp& stamp) {
  table.Field(stamp.time.Iso());
  table.Field(stamp.sender >= 0 ? std::to_string(stamp.sender) : "");
  table.Field(stamp.sequence >= 0 ? std::to_string(stamp.sequence) : "");
}

void CsvOutputs::Line(int source, const RowStamp& stamp, std::string_view text, const std::vector<double>* numbers) {
  const SourcePlan& plan = plan_.Source(source);
  CsvTable* table = Opened(source);
  if (table == nullptr) {
    std::vector<std::string> rest = {SourceTextColumn(plan.kind)};
    rest.insert(rest.end(), plan.names.begin(), plan.names.end());
    table = &Create(source, SourceFileName(source, plan.kind), StampedHeader(rest));
  }
  Stamp(*table, stamp);
  table->Field(text);
  for (size_t i = 0; i < plan.names.size(); ++i) table->Field(numbers != nullptr ? NumberText((*numbers)[i]) : "");
  table->EndRow();
}

void CsvOutputs::Analog(const RowStamp& stamp, const std::vector<double>& volts) {
  CsvTable* table = Opened(SciencePlan::kNinth);
  if (table == nullptr) {
    std::vector<std::string> channels;
    for (int c = 1; c <= plan_.AnalogChannels(); ++c) channels.push_back(Format("analog%d", c));
    table = &Create(SciencePlan::kNinth, "analog", StampedHeader(channels));
  }
  Stamp(*table, stamp);
  for (int c = 0; c < plan_.AnalogChannels(); ++c) {
    table->Field(static_cast<size_t>(c) < volts.size() ? NumberText(volts[static_cast<size_t>(c)]) : "");
  }
  table->EndRow();
}

void CsvOutputs::Battery(const RowStamp& stamp, double volts) {
  CsvTable* table = Opened(kBattery);
  if (table == nullptr) table = &Create(kBattery, "Battery", {"time", "battery"});
  table->Field(stamp.time.Iso());
  table->Field(NumberText(volts));
  table->EndRow();
}

void CsvOutputs::Close(std::vector<std::string>& written, std::vector<FailedOutput>& failed) {
  for (const int index : order_) {
    CsvTable& table = *tables_[static_cast<size_t>(index)];
    if (table.Close()) {
      written.push_back(table.Name());
    } else {
      failed.push_back({table.Name(), table.Reason()});
    }
  }
}

}  // namespace ql
