#include "SetupJobs.h"

#include "HeadlessHost.h"
#include "common/Format.h"
#include "cycle/LinkHealth.h"
#include "cycle/SetupActions.h"

namespace ql {

Job::Outcome SetupFetch::Poll(HeadlessHost& host, std::string& error) {
  if (setup_) return Job::Outcome::kDone;
  const Job::Outcome present = gate_.Poll(host, error);
  if (present != Job::Outcome::kDone) return present;
  if (const auto setup = host.TakeSetup()) {
    setup_ = setup;
    return Job::Outcome::kDone;
  }
  const int64_t now = host.NowMs();
  if (lastRequestMs_ < 0 || now - lastRequestMs_ >= kRepeatMs) {
    lastRequestMs_ = now;
    BTGetSetup1Click(host.State(), SetupButton::kGetSetup);
  }
  if (!deadline_.Passed(now)) return Job::Outcome::kRunning;
  error = Format("no setup from the logger within %lld s", static_cast<long long>((deadline_.LimitMs() + 999) / 1000));
  return Job::Outcome::kFailed;
}

Job::Outcome SetupSendJob::Poll(HeadlessHost& host) {
  if (!sentOnce_) {
    const Outcome got = before_.Poll(host, error_);
    if (got != Outcome::kDone) return got;
    return Send(host);
  }
  const Outcome back = after_.Poll(host, error_);
  if (back != Outcome::kDone) return back;
  differences_ = CompareSetups(sent_, *after_.Setup());
  if (differences_.empty()) return Outcome::kDone;
  return Fail(Format("the logger did not take the setup: %zu fields differ", differences_.size()));
}

Job::Outcome SetupSendJob::Send(HeadlessHost& host) {
  HostState& state = host.State();
  state.setupPage.controls = wanted_;
  host.Person().TakeMessages();
  BTSendSetup1Click(state);
  sent_ = state.setupPage.controls;
  sentOnce_ = true;
  adjusted_ = CompareSetups(wanted_, sent_);
  // A setup that moves the logger's own port to another line is answered there.
  if (sent_.hostPortLine != state.loggerPort.lineIndex) {
    state.loggerPort.lineIndex = sent_.hostPortLine;
    LoggerPortCBChange(state);
  }
  // Anything the logger sends from now on is an answer to this setup.
  host.TakeSetup();
  return Outcome::kRunning;
}

}  // namespace ql
