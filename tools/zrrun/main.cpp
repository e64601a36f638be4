// zrrun: the run extraction and summary of the host program, for batches of run files.

#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "ScienceFiles.h"
#include "Terminal.h"
#include "ZrrunOptions.h"
#include "common/SilentOperator.h"
#include "flash/RunExtraction.h"
#include "flash/RunFileName.h"
#include "science/ArchiveRecords.h"
#include "science/ScienceExport.h"

namespace {

constexpr uint64_t kProgressFrom = 4u << 20;

// "run.007: 42%" on one terminal line, rewritten as the percentage moves.
class Progress {
 public:
  Progress(const std::string& name, bool shown) : name_(name), shown_(shown) {}
  void Show(uint64_t done, uint64_t total) {
    if (!shown_ || total < kProgressFrom) return;
    const int percent = static_cast<int>(done * 100 / total);
    if (percent == last_) return;
    last_ = percent;
    std::fprintf(stderr, "\r%s: %3d%%", name_.c_str(), percent);
    std::fflush(stderr);
  }
  void Clear() {
    if (last_ >= 0) std::fprintf(stderr, "\r%*s\r", static_cast<int>(name_.size()) + 6, "");
  }

 private:
  std::string name_;
  bool shown_;
  int last_ = -1;
};

// The run file whose outputs already carry each run number in this batch: a second one
// would replace only the files it needs and leave the first's others beside them.
class RunNumbersTaken {
 public:
  // The earlier run file that took this one's number, if any.
  std::optional<std::string> TakenBy(const std::string& runFile) const {
    const std::optional<std::string> suffix = ql::RunNumberSuffix(runFile);
    if (!suffix) return std::nullopt;
    const auto found = taken_.find(*suffix);
    if (found == taken_.end()) return std::nullopt;
    return found->second;
  }
  void Note(const std::string& runFile, const ql::ExtractionReport& report) {
    if (report.created.empty() && report.failedOutputs.empty()) return;
    taken_.emplace(report.suffix, runFile);
  }

 private:
  std::map<std::string, std::string> taken_;
};

}  // namespace

int main(int argc, char** argv) {
  const zrrun::Options options = zrrun::ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (options.help) {
    std::fputs(zrrun::kUsage, stdout);
    return 0;
  }
  if (!options.error.empty()) {
    std::fprintf(stderr, "zrrun: %s\n\n%s", options.error.c_str(), zrrun::kUsage);
    return 2;
  }
  if (options.netcdf && !ql::NetcdfAvailable()) {
    std::fprintf(stderr, "zrrun: this zrrun was built without the netCDF library: --format netcdf cannot be written\n");
    return 2;
  }
  std::error_code error;
  std::filesystem::create_directories(options.outFolder, error);
  if (!std::filesystem::is_directory(options.outFolder)) {
    std::fprintf(stderr, "zrrun: cannot use the output folder %s\n", options.outFolder.c_str());
    return 2;
  }

  ql::SilentOperator quiet;  // every box the extraction raises is also in its report
  ql::ExtractionMemory memory;
  const bool terminal = zrrun::IsTerminal(stderr);
  int status = 0;
  const bool science = options.csv || options.netcdf;
  RunNumbersTaken taken;
  for (const std::string& runFile : options.runFiles) {
    if (science && ql::IsArchiveFile(runFile)) {
      if (!zrrun::WriteArchiveScienceFiles(options, runFile)) status = 1;
      continue;
    }
    if (const std::optional<std::string> first = taken.TakenBy(runFile)) {
      std::printf("%s: refused: its run number is that of %s, whose files this batch has written; extract it into "
                  "another folder (--out DIR)\n",
                  runFile.c_str(), first->c_str());
      std::fflush(stdout);
      status = 1;
      continue;
    }
    Progress progress(runFile, terminal);
    ql::ExtractionRequest request;
    request.runFile = runFile;
    request.outputFolder = options.outFolder;
    request.choice = options.choice;
    request.debugLog = options.debug;
    request.emptyLogWhenOff = false;
    request.progress = [&progress](uint64_t done, uint64_t total) { progress.Show(done, total); };
    const ql::ExtractionReport report = ql::ExtractRun(request, memory, quiet);
    progress.Clear();
    std::printf("%s: %s\n", runFile.c_str(), report.Describe().c_str());
    std::fflush(stdout);
    taken.Note(runFile, report);
    if (!report.Whole()) status = 1;
    if (science && !zrrun::WriteRunScienceFiles(options, runFile, report)) status = 1;
  }
  return status;
}
