// Run extraction of arbitrary run files: it must end, stay in its output folder and
// read nothing outside the records.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "common/SilentOperator.h"
#include "flash/RunExtraction.h"

namespace {

// A folder of this process's own, removed when it ends.
const std::filesystem::path& Folder() {
  static const std::filesystem::path folder = [] {
    auto path = std::filesystem::temp_directory_path() / ("ql9-fuzz-extraction-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path / "out");
    return path;
  }();
  static const bool removedAtExit = std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(Folder(), ignored);
  }) == 0;
  (void)removedAtExit;
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::filesystem::path runFile = Folder() / "run.007";
  {
    std::ofstream out(runFile, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
  }
  static ql::SilentOperator quiet;
  static ql::ExtractionMemory memory;
  ql::ExtractionRequest request;
  request.runFile = runFile;
  request.outputFolder = Folder() / "out";
  request.choice = data[0] & 1;
  request.debugLog = (data[0] & 2) != 0;
  ql::ExtractRun(request, memory, quiet);
  return 0;
}
