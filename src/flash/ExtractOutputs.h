#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ExtractionReport.h"
#include "RunRecordTypes.h"

namespace ql {

// The binary output files of one extraction. Each is created (truncating an older one)
// the first time a record needs it; one that cannot be created or written is noted and
// its records are dropped, the rest of the extraction goes on. Run records are small,
// so each file gathers them in a large buffer of its own and writes it in one call.
class ExtractOutputs {
 public:
  ExtractOutputs(std::filesystem::path folder, std::string suffix);

  // The file of output k, created on first need; false if it could not be.
  bool Open(int output);
  bool IsOpen(int output) const { return files_[static_cast<size_t>(output)].is_open(); }
  void Append(int output, const uint8_t* bytes, size_t count);
  // Closes output k for good: it is not created again in this extraction.
  void Close(int output);
  void CloseAll();

  // File name of output k ("Port1.007", "archive.007", ...), and its full path.
  std::string Name(int output) const;
  std::filesystem::path PathOf(const std::string& name) const { return folder_ / name; }

  // Names in the order the files were created, and those that could not be created or
  // were not written whole, with the system's reason.
  const std::vector<std::string>& Created() const { return created_; }
  const std::vector<FailedOutput>& Failed() const { return failed_; }

 private:
  void Flush(int output);
  void NoteFailure(int output, const char* fallback);

  std::filesystem::path folder_;
  std::string suffix_;
  std::array<std::ofstream, kOutCount> files_;
  std::array<std::vector<uint8_t>, kOutCount> pending_;
  std::array<bool, kOutCount> tried_{};
  std::array<bool, kOutCount> failedOnce_{};
  std::vector<std::string> created_;
  std::vector<FailedOutput> failed_;
};

}  // namespace ql
