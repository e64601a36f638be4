#include "Execute.h"

#include <fstream>
#include <sstream>

#include "Progress.h"
#include "Reports.h"
#include "common/ReplaceFile.h"
#include "headless/ClockJob.h"
#include "headless/RecordJob.h"
#include "headless/SetupJobs.h"
#include "headless/SleepJob.h"
#include "headless/UploadJob.h"

namespace ql9ctl {
namespace {

using Command = Options::Command;

void Error(Streams& s, const std::string& line) { s.err << "ql9ctl: " << line << "\n"; }

// Runs the job; false (with its error told) when it failed.
bool Run(ql::Job& job, ql::HeadlessHost& host, const RunJob& run, Streams& s) {
  ql::JobDriver driver(host, job, [&s](const std::string& note) { Error(s, "note: " + note); });
  if (run(driver) == ql::Job::Outcome::kDone) return true;
  Error(s, job.Error());
  return false;
}

int Failed(const ql::Job& job) { return job.RefusedInput() ? kExitUsage : kExitFailed; }

// A setup file read and checked whole; every refusal told with its line.
std::optional<ql::SetupControls> ReadSetupFile(const std::string& file, Streams& s) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    Error(s, "cannot read " + file);
    return std::nullopt;
  }
  std::stringstream text;
  text << in.rdbuf();
  const ql::SetupFileReading reading = ql::ParseSetupToml(text.str(), file);
  for (const std::string& e : reading.errors) Error(s, e);
  if (!reading.controls) Error(s, file + " refused: nothing was sent");
  return reading.controls;
}

int RunStatus(const Options& o, ql::HeadlessHost& host, const RunJob& run, Streams& s) {
  ql::StatusJob job(o.timeoutSeconds * 1000LL, o.watch, [&](const ql::StatusReport& r) {
    s.out << (o.json ? StatusJson(r) : o.watch ? StatusLine(r) : StatusText(r)) << std::flush;
  });
  return Run(job, host, run, s) ? kExitDone : Failed(job);
}

int RunSetupGet(const Options& o, ql::HeadlessHost& host, const RunJob& run, Streams& s) {
  ql::SetupGetJob job(o.timeoutSeconds * 1000LL);
  if (!Run(job, host, run, s)) return Failed(job);
  const std::string text = ql::SetupToToml(job.Setup());
  if (!o.file.empty()) {
    if (!ql::ReplaceTextFile(o.file, text)) {
      Error(s, "cannot write " + o.file);
      return kExitFailed;
    }
  }
  if (o.json) {
    s.out << SetupJson(job.Setup(), o.file);
  } else if (o.file.empty()) {
    s.out << text;
  }
  return kExitDone;
}

int RunSetupDiff(const Options& o, const ql::SetupControls& file, ql::HeadlessHost& host, const RunJob& run, Streams& s) {
  ql::SetupGetJob job(o.timeoutSeconds * 1000LL);
  if (!Run(job, host, run, s)) return Failed(job);
  const auto differences = ql::CompareSetups(job.Setup(), file);
  s.out << (o.json ? DifferenceJson(differences, "logger", "file") : DifferenceText(differences, "logger", "file"));
  return differences.empty() ? kExitDone : kExitFailed;
}

int RunSetupSend(const Options& o, const ql::SetupControls& file, ql::HeadlessHost& host, const RunJob& run, Streams& s) {
  ql::SetupSendJob job(file, o.timeoutSeconds * 1000LL);
  const bool taken = Run(job, host, run, s);
  if (!o.json) {
    if (!job.Adjusted().empty()) s.out << "The host adjusted these values as the window does:\n" << DifferenceText(job.Adjusted(), "file", "sent");
    if (!job.Differences().empty()) s.out << "The logger holds other values:\n" << DifferenceText(job.Differences(), "sent", "logger");
    if (taken) s.out << "Setup sent; the logger holds it.\n";
  } else if (taken || !job.Differences().empty()) {
    s.out << SetupSentJson(job.Adjusted(), job.Differences());
  }
  return taken ? kExitDone : Failed(job);
}

int RunClock(const Options& o, ql::HeadlessHost& host, const RunJob& run, Streams& s) {
  ql::ClockJob job(o.timeoutSeconds * 1000LL, o.sync);
  const bool done = Run(job, host, run, s);
  if (job.Before()) {
    const ql::StatusReport* after = job.After() ? &*job.After() : nullptr;
    s.out << (o.json ? ClockJson(*job.Before(), after) : ClockText(*job.Before(), after));
  }
  return done ? kExitDone : Failed(job);
}

int RunDir(const Options& o, ql::HeadlessHost& host, const RunJob& run, Streams& s) {
  ql::DirectoryJob job(o.timeoutSeconds * 1000LL);
  if (!Run(job, host, run, s)) return Failed(job);
  s.out << (o.json ? DirectoryJson(job.Runs()) : DirectoryText(job.Runs()));
  return kExitDone;
}

int RunUpload(const Options& o, ql::HeadlessHost& host, const RunJob& run, Streams& s) {
  ql::UploadRequest request;
  request.runs = o.runs;
  request.folder = o.out;
  request.extractionChoice = o.extract;
  request.timeoutMs = o.timeoutSeconds * 1000LL;
  Progress progress(s.err, s.errIsTerminal);
  ql::UploadJob job(request, [&progress](int r, int64_t got, int64_t size) { progress.Show(r, got, size); });
  const bool done = Run(job, host, run, s);
  progress.Finish();
  s.out << (o.json ? UploadJson(o.out, job.Runs()) : UploadText(job.Runs()));
  return done ? kExitDone : Failed(job);
}

int RunSleep(const Options& o, ql::HeadlessHost& host, const RunJob& run, Streams& s) {
  ql::SleepJob job(o.wakeTime, o.wakeDate, o.timeoutSeconds * 1000LL);
  if (!Run(job, host, run, s)) return Failed(job);
  s.out << (o.json ? SleepJson(o.until) : SleepText(o.until));
  return kExitDone;
}

// Events go to standard error, one line each, for the system journal.
int RunRecord(const Options& o, ql::HeadlessHost& host, const RunJob& run, Streams& s) {
  ql::RecordRequest request;
  request.state = o.recordState;
  request.name = o.recordName;
  request.syncClock = o.syncClock;
  request.udp = o.udp;
  ql::RecordJob job(request, [&s](const std::string& event) { Error(s, event); });
  return Run(job, host, run, s) ? kExitDone : Failed(job);
}

}  // namespace

int Execute(const Options& o, ql::HeadlessHost& host, const RunJob& run, Streams s) {
  // A setup file is checked whole before the logger is even spoken to.
  std::optional<ql::SetupControls> file;
  if (o.command == Command::kSetupSend || o.command == Command::kSetupDiff) {
    file = ReadSetupFile(o.file, s);
    if (!file) return kExitUsage;
  }
  std::string error;
  if (!host.Open(o.port, error)) {
    Error(s, error);
    // A recorder started before its adapter is plugged in waits for it.
    if (o.command != Command::kRecord) return kExitFailed;
  }
  switch (o.command) {
    case Command::kStatus: return RunStatus(o, host, run, s);
    case Command::kSetupGet: return RunSetupGet(o, host, run, s);
    case Command::kSetupSend: return RunSetupSend(o, *file, host, run, s);
    case Command::kSetupDiff: return RunSetupDiff(o, *file, host, run, s);
    case Command::kClock: return RunClock(o, host, run, s);
    case Command::kDir: return RunDir(o, host, run, s);
    case Command::kUpload: return RunUpload(o, host, run, s);
    case Command::kSleep: return RunSleep(o, host, run, s);
    case Command::kRecord: return RunRecord(o, host, run, s);
  }
  return kExitUsage;
}

}  // namespace ql9ctl
