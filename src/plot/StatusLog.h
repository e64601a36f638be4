#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "status/LoggerStatus.h"

namespace ql {

// "<recorded file>.status.csv": one row per status packet while recording, in a form a
// spreadsheet, pandas or R opens with no options. A file that cannot be opened or
// written is reported once per file; logging then pauses until the next file.
class StatusLog {
 public:
  static constexpr const char* kSuffix = ".status.csv";
  static constexpr const char* kHeader =
      "pc_time_utc,logger_time,state,run,battery_v,analog1_v,analog2_v,analog3_v,analog4_v,analog5_v,analog6_v,"
      "analog7_v,free_memory_k";

  // The log beside the archive or raw file of that name.
  static std::filesystem::path PathFor(const std::string& recordedFile);

  // One status while `recordedFile` is being recorded (empty: nothing is, and the log
  // closes): a row in that file's own log. Returns what Append returns.
  std::string Log(const std::string& recordedFile, int64_t pcUtcMilliseconds, const StatusBytes& status,
                  const std::string& stateText);

  // Appends a row; opens (or creates, with the header) `file` first when it is not the
  // one open. Returns the text of the box to show when it could not, else empty; the
  // same failure is not repeated for the same file.
  std::string Append(const std::filesystem::path& file, int64_t pcUtcMilliseconds, const StatusBytes& status,
                     const std::string& stateText);
  // Recording stopped: the file is closed.
  void Close();

  // One data row, without its line end.
  static std::string Row(int64_t pcUtcMilliseconds, const StatusBytes& status, const std::string& stateText);

 private:
  std::string Open(const std::filesystem::path& file);

  std::filesystem::path path_;
  std::ofstream out_;
  bool failed_ = false;  // path_ could not be opened or written: stay quiet about it
};

}  // namespace ql
