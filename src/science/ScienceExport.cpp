#include "ScienceExport.h"

#include <memory>

#include "BatteryRecords.h"
#include "CsvOutputs.h"
#include "InstrumentText.h"
#include "SciencePlan.h"
#include "common/ByteOrder.h"
#include "common/Format.h"
#include "plot/NumberReader.h"

#if QL_NETCDF
#include "NetcdfOutput.h"
#endif

namespace ql {
namespace {

constexpr double kMillivoltsPerVolt = 1000.0;

// The rows of one record, handed to every writer.
class RowFeed {
 public:
  RowFeed(const SciencePlan& plan, std::vector<std::unique_ptr<ObservationWriter>>& writers)
      : plan_(plan), writers_(writers) {}

  void Record(const SourceRecord& record) {
    const RowStamp stamp{record.time, record.sender, record.sequence};
    for (int k = 0; k < SciencePlan::kPorts + 1; ++k) {
      const std::string_view bytes = record.sources[static_cast<size_t>(k)];
      if (bytes.empty()) continue;
      switch (plan_.Source(k).kind) {
        case SourceKind::kText: Lines(k, stamp, bytes); break;
        case SourceKind::kBinary: Line(k, stamp, Hex(bytes), nullptr); break;
        case SourceKind::kAnalog: Analog(stamp, bytes); break;
        case SourceKind::kNone: break;
      }
    }
  }

  void Battery(const RecordTime& time, double volts) {
    for (auto& writer : writers_) writer->Battery(RowStamp{time}, volts);
  }

 private:
  void Lines(int k, const RowStamp& stamp, std::string_view bytes) {
    const size_t columns = plan_.Source(k).names.size();
    ForEachLine(bytes, [&](std::string_view line) {
      values_.clear();
      if (columns > 0) {
        for (const NamedNumber& n : ReadNumbers(line)) values_.push_back(n.value);
      }
      Line(k, stamp, line, values_.size() == columns && columns > 0 ? &values_ : nullptr);
    });
  }

  void Line(int k, const RowStamp& stamp, std::string_view text, const std::vector<double>* numbers) {
    for (auto& writer : writers_) writer->Line(k, stamp, text, numbers);
  }

  // The logger's analog data: one 16-bit big-endian millivolt value per channel.
  void Analog(const RowStamp& stamp, std::string_view bytes) {
    values_.clear();
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) values_.push_back(GetI16BE(p + i) / kMillivoltsPerVolt);
    for (auto& writer : writers_) writer->Analog(stamp, values_);
  }

  const SciencePlan& plan_;
  std::vector<std::unique_ptr<ObservationWriter>>& writers_;
  std::vector<double> values_;
};

#if QL_NETCDF
DatasetAttributes AttributesOf(const ScienceRequest& request, const SciencePlan& plan) {
  DatasetAttributes a;
  const std::string input = request.archive.filename().string();
  a.summary = request.summary;
  a.title = a.summary ? Format("QL-9 run %d, logger S/N %03d", a.summary->run, a.summary->serialNumber)
                      : Format("QL-9 archive %s", input.c_str());
  a.station = a.summary ? Format("QL-9 S/N %03d run %d", a.summary->serialNumber, a.summary->run) : input;
  a.dateCreated = request.dateCreated;
  a.history = Format("%s %s: %s", request.dateCreated.c_str(), request.program.c_str(), request.datasetName.c_str());
  if (plan.First()) a.timeCoverageStart = plan.First()->Iso();
  if (plan.Last()) a.timeCoverageEnd = plan.Last()->Iso();
  return a;
}
#endif

void ReadBattery(const ScienceRequest& request, const std::function<void(const RecordTime&, double)>& visit,
                 ScienceReport& report) {
  if (request.battery.empty()) return;
  report.batteryLeftover = ReadBatteryRecords(request.battery, visit).leftoverBytes;
}

}  // namespace

bool NetcdfAvailable() {
#if QL_NETCDF
  return true;
#else
  return false;
#endif
}

ScienceReport ExportScience(const ScienceRequest& request) {
  ScienceReport report;
  SciencePlan plan;
  report.archive = ReadArchiveRecords(request.archive, [&](const SourceRecord& record) { plan.See(record); });
  if (!report.archive.opened) return report;
  ReadBattery(request, [&](const RecordTime& time, double) { plan.SeeBattery(time); }, report);
  plan.Settle();

  std::vector<std::unique_ptr<ObservationWriter>> writers;
  if (request.csv) writers.push_back(std::make_unique<CsvOutputs>(request.outputFolder, request.tag, plan));
#if QL_NETCDF
  if (request.netcdf) {
    writers.push_back(std::make_unique<NetcdfOutput>(request.outputFolder / (request.datasetName + ".nc"), plan,
                                                     AttributesOf(request, plan)));
  }
#endif
  RowFeed feed(plan, writers);
  ReadArchiveRecords(request.archive, [&](const SourceRecord& record) { feed.Record(record); });
  ReadBattery(request, [&](const RecordTime& time, double volts) { feed.Battery(time, volts); }, report);
  for (auto& writer : writers) writer->Close(report.written, report.failed);
  return report;
}

std::string ScienceReport::Describe() const {
  if (!archive.opened) return "failed: cannot read the archive (" + archive.reason + ")";
  std::string text = written.empty() ? "no science file written" : "wrote";
  for (size_t i = 0; i < written.size(); ++i) text += (i == 0 ? " " : ", ") + written[i];
  for (const FailedOutput& f : failed) text += "; failed: " + f.name + " (" + f.reason + ")";
  std::string damage;
  const auto add = [&damage](const std::string& piece) { damage += (damage.empty() ? "" : ", ") + piece; };
  if (archive.unsplit > 0) {
    add(Format("%llu archive records left out (their port counts do not add up)",
               static_cast<unsigned long long>(archive.unsplit)));
  }
  if (archive.unreadBytes > 0) {
    add(Format("the last %llu bytes of the archive unread (a record cut short or of impossible length)",
               static_cast<unsigned long long>(archive.unreadBytes)));
  }
  if (batteryLeftover > 0) {
    add(Format("a battery record cut short (%llu bytes)", static_cast<unsigned long long>(batteryLeftover)));
  }
  if (!damage.empty()) text += "; damaged: " + damage;
  return text;
}

}  // namespace ql
