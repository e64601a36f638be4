#include "Reports.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "common/Format.h"
#include "flash/DirectoryEntry.h"

namespace ql9ctl {
namespace {

using ql::Format;

QString Q(const std::string& s) { return QString::fromStdString(s); }

std::string Line(const QJsonObject& o) { return QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString() + "\n"; }

std::string Trimmed(std::string s) {
  while (!s.empty() && s.front() == ' ') s.erase(s.begin());
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

QJsonObject StatusObject(const ql::StatusReport& r) {
  QJsonObject o;
  o["state"] = Q(r.stateText);
  o["state_code"] = r.state;
  o["logger_time"] = Q(r.loggerTime);
  o["pc_time"] = Q(r.pcTime);
  o["drift_seconds"] = static_cast<qint64>(r.driftSeconds);
  o["run"] = r.run < 0 ? QJsonValue() : QJsonValue(r.run);
  o["time_left"] = Q(Trimmed(r.timeLeft));
  o["battery_volts"] = r.batteryMillivolts / 1000.0;
  o["memory_free_bytes"] = static_cast<qint64>(r.memoryFreeBytes);
  o["memory_total_bytes"] = static_cast<qint64>(r.memoryTotalBytes);
  o["bad_flash"] = r.badFlash;
  o["logger_id"] = r.loggerId;
  o["logger"] = Q(r.loggerName);
  return o;
}

std::string DriftText(int64_t drift) {
  if (drift == 0) return "0 s";
  return Format("%lld s %s", static_cast<long long>(drift < 0 ? -drift : drift), drift < 0 ? "slow" : "fast");
}

std::string RunText(int run) { return run < 0 ? std::string("none") : Format("%03d", run); }

}  // namespace

std::string StatusText(const ql::StatusReport& r) {
  std::string t;
  t += Format("State:         %s\n", r.stateText.c_str());
  t += Format("Logger clock:  %s  (PC %s, drift %s)\n", r.loggerTime.c_str(), r.pcTime.c_str(), DriftText(r.driftSeconds).c_str());
  t += Format("Run:           %s\n", RunText(r.run).c_str());
  t += Format("Battery:       %s\n", Trimmed(r.batteryText).c_str());
  t += Format("Memory:        %s free of %s\n", r.memoryFreeText.c_str(), r.memoryTotalText.c_str());
  t += Format("Bad flash:     %d\n", r.badFlash);
  return t;
}

std::string StatusLine(const ql::StatusReport& r) {
  return Format("%s  %s  drift %s  run %s  %s  %s free  bad flash %d\n", r.loggerTime.c_str(), r.stateText.c_str(),
                DriftText(r.driftSeconds).c_str(), RunText(r.run).c_str(), Trimmed(r.batteryText).c_str(),
                r.memoryFreeText.c_str(), r.badFlash);
}

std::string StatusJson(const ql::StatusReport& r) { return Line(StatusObject(r)); }

std::string SetupJson(const ql::SetupControls& controls, const std::string& file) {
  QJsonObject values;
  for (const ql::SetupValue& v : ql::SetupValues(controls)) values[Q(v.key)] = Q(v.text);
  QJsonObject o;
  o["file"] = file.empty() ? QJsonValue() : QJsonValue(Q(file));
  o["setup"] = values;
  return Line(o);
}

std::string DifferenceText(const std::vector<ql::SetupDifference>& d, const char* leftName, const char* rightName) {
  std::string t;
  for (const ql::SetupDifference& x : d) {
    t += Format("%s: %s \"%s\", %s \"%s\"\n", x.key.c_str(), leftName, x.left.c_str(), rightName, x.right.c_str());
  }
  return t;
}

namespace {

QJsonArray DifferenceArray(const std::vector<ql::SetupDifference>& d, const char* leftName, const char* rightName) {
  QJsonArray list;
  for (const ql::SetupDifference& x : d) {
    QJsonObject o;
    o["key"] = Q(x.key);
    o[leftName] = Q(x.left);
    o[rightName] = Q(x.right);
    list.append(o);
  }
  return list;
}

}  // namespace

std::string DifferenceJson(const std::vector<ql::SetupDifference>& d, const char* leftName, const char* rightName) {
  QJsonObject o;
  o["differences"] = DifferenceArray(d, leftName, rightName);
  return Line(o);
}

std::string SetupSentJson(const std::vector<ql::SetupDifference>& adjusted, const std::vector<ql::SetupDifference>& differences) {
  QJsonObject o;
  o["taken"] = differences.empty();
  o["adjusted"] = DifferenceArray(adjusted, "file", "sent");
  o["differences"] = DifferenceArray(differences, "sent", "logger");
  return Line(o);
}

std::string ClockText(const ql::StatusReport& before, const ql::StatusReport* after) {
  std::string t = Format("Logger clock:  %s  (PC %s, drift %s)\n", before.loggerTime.c_str(), before.pcTime.c_str(),
                         DriftText(before.driftSeconds).c_str());
  if (after != nullptr) {
    t += Format("Set from the PC; now %s  (PC %s, drift %s)\n", after->loggerTime.c_str(), after->pcTime.c_str(),
                DriftText(after->driftSeconds).c_str());
  }
  return t;
}

std::string ClockJson(const ql::StatusReport& before, const ql::StatusReport* after) {
  QJsonObject o;
  o["logger_time"] = Q(before.loggerTime);
  o["pc_time"] = Q(before.pcTime);
  o["drift_seconds"] = static_cast<qint64>(before.driftSeconds);
  o["set"] = after != nullptr;
  if (after != nullptr) {
    o["logger_time_after"] = Q(after->loggerTime);
    o["drift_after_seconds"] = static_cast<qint64>(after->driftSeconds);
  }
  return Line(o);
}

std::string DirectoryText(const std::vector<ql::ListedRun>& runs) {
  std::string t = std::string(ql::kRunListHeader) + "\n";
  for (const ql::ListedRun& r : runs) t += r.line + "\n";
  return t;
}

std::string DirectoryJson(const std::vector<ql::ListedRun>& runs) {
  QJsonArray list;
  for (const ql::ListedRun& r : runs) {
    QJsonObject o;
    o["run"] = r.run;
    o["size"] = static_cast<qint64>(r.size);
    o["line"] = Q(r.line);
    list.append(o);
  }
  QJsonObject o;
  o["runs"] = list;
  return Line(o);
}

std::string UploadText(const std::vector<ql::UploadedRun>& runs) {
  std::string t;
  for (const ql::UploadedRun& r : runs) {
    const std::string name = r.file.filename().string();
    switch (r.result) {
      case ql::UploadedRun::Result::kUploaded:
        t += Format("%s uploaded, %lld bytes\n", name.c_str(), static_cast<long long>(r.size));
        break;
      case ql::UploadedRun::Result::kSkipped:
        t += Format("%s skipped: already there with its %lld bytes\n", name.c_str(), static_cast<long long>(r.size));
        break;
      case ql::UploadedRun::Result::kEmpty:
        t += Format("%s skipped: the logger lists it empty\n", name.c_str());
        break;
      case ql::UploadedRun::Result::kFailed:
        t += Format("%s FAILED: not whole\n", name.c_str());
        break;
    }
  }
  return t;
}

std::string UploadJson(const std::string& folder, const std::vector<ql::UploadedRun>& runs) {
  QJsonArray list;
  for (const ql::UploadedRun& r : runs) {
    QJsonObject o;
    o["run"] = r.run;
    o["size"] = static_cast<qint64>(r.size);
    o["result"] = ql::ResultText(r.result);
    o["file"] = Q(r.file.string());
    list.append(o);
  }
  QJsonObject o;
  o["folder"] = Q(folder);
  o["runs"] = list;
  return Line(o);
}

std::string SleepText(const std::string& until) { return "Sleep command sent; the logger wakes at " + until + "\n"; }

std::string SleepJson(const std::string& until) {
  QJsonObject o;
  o["wake_up"] = Q(until);
  return Line(o);
}

}  // namespace ql9ctl
