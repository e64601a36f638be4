#pragma once

#include <string>
#include <vector>

#include "StatusJob.h"

namespace ql {

// One run of the logger's directory: what the Upload page lists for it.
struct ListedRun {
  int run = 0;
  int64_t size = 0;
  std::string line;  // the LBProfiles line
};

// Asks for the run directory (Get Logger Directory) once a status has shown the logger
// in a state that lists runs. The logger sends its entries in one go with no end mark:
// the list is whole once kQuietMs pass without a further entry.
class DirectoryFetch {
 public:
  static constexpr int64_t kQuietMs = 2000;

  explicit DirectoryFetch(int64_t timeoutMs) : gate_(timeoutMs) {}
  Job::Outcome Poll(HeadlessHost& host, std::string& error);
  const std::vector<ListedRun>& Runs() const { return runs_; }

 private:
  StatusGate gate_;
  bool requested_ = false;
  int64_t lastChangeMs_ = 0;
  int entriesSeen_ = 0;
  std::vector<ListedRun> runs_;
};

// "dir": the run list as the Upload page shows it.
class DirectoryJob : public Job {
 public:
  explicit DirectoryJob(int64_t timeoutMs) : fetch_(timeoutMs) {}
  Outcome Poll(HeadlessHost& host) override { return fetch_.Poll(host, error_); }
  const std::vector<ListedRun>& Runs() const { return fetch_.Runs(); }

 private:
  DirectoryFetch fetch_;
};

}  // namespace ql
