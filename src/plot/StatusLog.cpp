#include "StatusLog.h"

#include <system_error>

#include "common/Calendar.h"
#include "common/Format.h"

namespace ql {
namespace {

std::string IsoTime(int64_t seconds) {
  const CalendarTime t = ToCalendar(seconds);
  return Format("%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
}

// A text field as CSV wants it: quoted when it holds a separator, a quote or a line end.
std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

}  // namespace

std::filesystem::path StatusLog::PathFor(const std::string& recordedFile) { return recordedFile + kSuffix; }

std::string StatusLog::Log(const std::string& recordedFile, int64_t pcUtcMilliseconds, const StatusBytes& status,
                           const std::string& stateText) {
  if (recordedFile.empty()) {
    Close();
    return {};
  }
  return Append(PathFor(recordedFile), pcUtcMilliseconds, status, stateText);
}

std::string StatusLog::Row(int64_t pcUtcMilliseconds, const StatusBytes& bytes, const std::string& stateText) {
  const LoggerStatus s(bytes);
  const int64_t wholeSeconds = pcUtcMilliseconds >= 0 ? pcUtcMilliseconds / 1000 : (pcUtcMilliseconds - 999) / 1000;
  std::string row = IsoTime(wholeSeconds) +
                    Format(".%03dZ", static_cast<int>(pcUtcMilliseconds - wholeSeconds * 1000));
  // The logger keeps local wall-clock time with no zone.
  row += "," + IsoTime(s.LoggerSeconds());
  row += "," + CsvField(stateText);
  row += Format(",%d,%.3f", s.RunNumber(), s.CurrentMillivolts() / 1000.0);
  for (int input = 1; input <= 7; ++input) row += Format(",%.3f", s.AnalogMillivolts(input) / 1000.0);
  row += Format(",%ld", static_cast<long>(s.FileBytes(LoggerStatus::kFreeFlash) / 1024));
  return row;
}

std::string StatusLog::Open(const std::filesystem::path& file) {
  Close();
  path_ = file;
  failed_ = false;
  std::error_code error;
  const bool fresh = !std::filesystem::exists(file, error) || std::filesystem::file_size(file, error) == 0;
  out_.open(file, std::ios::binary | std::ios::app);
  if (out_ && fresh) out_ << kHeader << "\r\n";
  if (!out_) {
    failed_ = true;
    return "Could not open the status log " + file.string();
  }
  return {};
}

std::string StatusLog::Append(const std::filesystem::path& file, int64_t pcUtcMilliseconds, const StatusBytes& status,
                              const std::string& stateText) {
  if (file != path_) {
    if (std::string error = Open(file); !error.empty()) return error;
  }
  if (failed_) return {};
  out_ << Row(pcUtcMilliseconds, status, stateText) << "\r\n";
  out_.flush();
  if (!out_) {
    failed_ = true;
    return "Could not write the status log " + file.string();
  }
  return {};
}

void StatusLog::Close() {
  if (out_.is_open()) out_.close();
  out_.clear();
  path_.clear();
  failed_ = false;
}

}  // namespace ql
