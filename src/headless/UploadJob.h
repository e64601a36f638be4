#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <vector>

#include "DirectoryJob.h"
#include "flash/RunExtraction.h"

namespace ql {

struct UploadRequest {
  std::optional<std::set<int>> runs;  // nothing: every listed run
  std::filesystem::path folder;
  int extractionChoice = kExtractArchive;  // "Extract File Types" item
  int64_t timeoutMs = 10'000;              // for the status and the directory
  int64_t stallMs = 60'000;                // no block for this long ends the upload
};

// What became of one chosen run.
struct UploadedRun {
  enum class Result { kUploaded, kSkipped, kEmpty, kFailed };
  int run = 0;
  int64_t size = 0;  // as listed
  Result result = Result::kFailed;
  std::filesystem::path file;
};
const char* ResultText(UploadedRun::Result result);

// "upload": the directory, then the chosen runs with the window's protocol into the
// folder, each extracted there as the window does. A run already there with its listed
// size is skipped; a run the logger lists as empty has nothing to upload.
class UploadJob : public Job {
 public:
  // The run under way, its bytes so far and its listed size; called now and then.
  using Progress = std::function<void(int run, int64_t received, int64_t size)>;
  static constexpr int64_t kProgressPeriodMs = 250;

  UploadJob(UploadRequest request, Progress progress)
      : request_(std::move(request)), progress_(std::move(progress)), directory_(request_.timeoutMs) {}
  Outcome Poll(HeadlessHost& host) override;

  const std::vector<UploadedRun>& Runs() const { return runs_; }

 private:
  Outcome Plan(HeadlessHost& host);
  Outcome Watch(HeadlessHost& host);
  Outcome Verify();

  UploadRequest request_;
  Progress progress_;
  DirectoryFetch directory_;
  bool planned_ = false;
  std::vector<UploadedRun> runs_;
  int64_t lastProgressMs_ = -1;
  int64_t lastBytes_ = -1;
  int lastRun_ = -1;
  int64_t lastChangeMs_ = 0;
};

}  // namespace ql
