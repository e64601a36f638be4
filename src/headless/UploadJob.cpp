#include "UploadJob.h"

#include <system_error>

#include "HeadlessHost.h"
#include "common/Format.h"
#include "flash/RunUpload.h"

namespace ql {
namespace {

bool HoldsSize(const std::filesystem::path& file, int64_t size) {
  std::error_code error;
  return std::filesystem::is_regular_file(file, error) &&
         static_cast<int64_t>(std::filesystem::file_size(file, error)) == size && !error;
}

}  // namespace

const char* ResultText(UploadedRun::Result result) {
  switch (result) {
    case UploadedRun::Result::kUploaded: return "uploaded";
    case UploadedRun::Result::kSkipped: return "skipped";
    case UploadedRun::Result::kEmpty: return "empty";
    case UploadedRun::Result::kFailed: break;
  }
  return "failed";
}

Job::Outcome UploadJob::Poll(HeadlessHost& host) {
  if (!planned_) {
    const Outcome listed = directory_.Poll(host, error_);
    if (listed != Outcome::kDone) return listed;
    planned_ = true;
    return Plan(host);
  }
  return Watch(host);
}

Job::Outcome UploadJob::Plan(HeadlessHost& host) {
  const std::vector<ListedRun>& listed = directory_.Runs();
  if (request_.runs) {
    for (int run : *request_.runs) {
      bool found = false;
      for (const ListedRun& l : listed) found = found || l.run == run;
      if (!found) return Fail(Format("run %d is not in the logger's directory", run));
    }
  }
  std::error_code error;
  std::filesystem::create_directories(request_.folder, error);
  if (error) return Fail(Format("cannot create %s: %s", request_.folder.string().c_str(), error.message().c_str()));

  std::vector<int> lines;
  for (size_t line = 0; line < listed.size(); ++line) {
    const ListedRun& l = listed[line];
    if (request_.runs && request_.runs->count(l.run) == 0) continue;
    UploadedRun run{l.run, l.size, UploadedRun::Result::kFailed, request_.folder / Format("run.%03d", l.run)};
    if (l.size == 0) {
      run.result = UploadedRun::Result::kEmpty;
    } else if (HoldsSize(run.file, l.size)) {
      run.result = UploadedRun::Result::kSkipped;
    } else {
      lines.push_back(static_cast<int>(line));
    }
    runs_.push_back(run);
  }
  if (lines.empty()) return Outcome::kDone;
  FlashState& flash = host.State().flash;
  flash.page.extractFiles = request_.extractionChoice;
  BTUploadClick(flash, lines, [this](const std::string& proposed) { return (request_.folder / proposed).string(); });
  lastChangeMs_ = host.NowMs();
  return Outcome::kRunning;
}

Job::Outcome UploadJob::Watch(HeadlessHost& host) {
  const UploadState& u = host.State().flash.upload;
  const int64_t now = host.NowMs();
  if (u.runNumber != lastRun_ || u.bytesReceived != lastBytes_) {
    lastRun_ = u.runNumber;
    lastBytes_ = u.bytesReceived;
    lastChangeMs_ = now;
  }
  if (u.runsToUpload == 0) {
    if (progress_ && lastRun_ >= 0) progress_(lastRun_, lastBytes_, u.expectedSize);
    return Verify();
  }
  if (progress_ && u.transferPhase != 0 && (lastProgressMs_ < 0 || now - lastProgressMs_ >= kProgressPeriodMs)) {
    lastProgressMs_ = now;
    progress_(u.runNumber, u.bytesReceived, u.expectedSize);
  }
  if (now - lastChangeMs_ < request_.stallMs) return Outcome::kRunning;
  BTCancelUploadClick(host.State().flash);
  Verify();
  return Fail(Format("upload of run %d stalled: no block from the logger for %lld s", u.runNumber,
                     static_cast<long long>(request_.stallMs / 1000)));
}

// A run counts as uploaded only when its whole file is there with the listed size.
Job::Outcome UploadJob::Verify() {
  int failed = 0;
  for (UploadedRun& run : runs_) {
    if (run.result != UploadedRun::Result::kFailed) continue;
    if (HoldsSize(run.file, run.size)) {
      run.result = UploadedRun::Result::kUploaded;
    } else {
      failed += 1;
    }
  }
  if (failed == 0) return Outcome::kDone;
  return Fail(Format("%d run(s) did not arrive whole", failed));
}

}  // namespace ql
