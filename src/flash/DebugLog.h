#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace ql {

// "log.dat": one entry per record header the extraction reads, for looking into a run
// file the logger wrote oddly. Lines are written byte for byte, the same on every
// platform.
class DebugLog {
 public:
  // Creates the log empty in the folder (while not `enabled` only if `emptyWhenOff`);
  // the entries follow only while `enabled`.
  DebugLog(const std::filesystem::path& folder, bool enabled, bool emptyWhenOff);

  void Header(int type, int size);
  // The time line of an archive record (type 23), after its header entry.
  void ArchiveTime(int32_t time, int32_t previousTime);
  // Bytes of an archive record's body beyond the record, skipped.
  void ExtraBytes(int count);
  // Ends the entry of an archive record header whose record was not read.
  void EndLine();
  // Closes a stretch of bytes stepped over to find the next good header.
  void Skipped(uint64_t bytes);
  void Close();

 private:
  void Write(const std::string& text);

  std::filesystem::path path_;
  bool enabled_;
  std::ofstream file_;
};

}  // namespace ql
