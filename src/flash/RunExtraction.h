#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>

#include "ExtractionMemory.h"
#include "ExtractionReport.h"

namespace ql {

class Operator;

// Item indexes of ExtractFilesRG ("Extract File Types").
inline constexpr int kExtractArchive = 0;         // "ZR Archive"
inline constexpr int kExtractArchivePlusRaw = 1;  // "ZR Archive Plus Raw Files"

struct ExtractionRequest {
  std::filesystem::path runFile;
  std::filesystem::path outputFolder;  // every output goes here, "log.dat" too
  int choice = kExtractArchive;
  bool debugLog = false;  // "Write Debug File"
  // Called now and then with the bytes read so far and the file's size.
  std::function<void(uint64_t done, uint64_t total)> progress;
  // The window's rule: every extraction makes "log.dat", empty while the switch is off.
  // The batch program makes it only when asked for the log.
  bool emptyLogWhenOff = true;
};

// Splits one run file into its output files: the archive (records of the logger's own
// and rebuilt ones), the battery records, the summary text and, with the raw choice, the
// port, analog and time-stamp files.
ExtractionReport ExtractRun(const ExtractionRequest& request, ExtractionMemory& memory, Operator& op);

// The window's extraction (after an upload, and "Parse Run Files"): the outputs go into
// the run file's own folder, the one the operator chose in the dialog.
ExtractionReport ExtractRunBeside(const std::filesystem::path& runFile, int choice, bool debugLog,
                                  ExtractionMemory& memory, Operator& op);

}  // namespace ql
