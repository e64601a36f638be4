#include "DirectoryJob.h"

#include "HeadlessHost.h"
#include "flash/LoggerDirectory.h"

namespace ql {

Job::Outcome DirectoryFetch::Poll(HeadlessHost& host, std::string& error) {
  const Job::Outcome present = gate_.Poll(host, error);
  if (present != Job::Outcome::kDone) return present;
  HostState& state = host.State();
  FlashState& flash = state.flash;
  if (!requested_) {
    requested_ = true;
    host.Person().TakeMessages();
    BTGetDirectoryClick(flash, state.statusMemory.loggerState, state.statusMemory.loggerName);
    // A refusal is told in a box and nothing is sent.
    const std::vector<std::string> refused = host.Person().TakeMessages();
    if (!refused.empty()) {
      error = refused.front();
      return Job::Outcome::kFailed;
    }
    lastChangeMs_ = host.NowMs();
    return Job::Outcome::kRunning;
  }
  if (flash.directory.entryCount != entriesSeen_) {
    entriesSeen_ = flash.directory.entryCount;
    lastChangeMs_ = host.NowMs();
  }
  if (host.NowMs() - lastChangeMs_ < kQuietMs) return Job::Outcome::kRunning;
  runs_.clear();
  for (int i = 0; i < flash.directory.entryCount; ++i) {
    const auto e = static_cast<size_t>(i);
    runs_.push_back({flash.directory.runNumber[e], flash.directory.size[e],
                     e < flash.page.profiles.size() ? flash.page.profiles[e] : std::string()});
  }
  return Job::Outcome::kDone;
}

}  // namespace ql
