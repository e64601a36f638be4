#include "SleepJob.h"

#include <cstdio>

#include "HeadlessHost.h"
#include "common/Format.h"
#include "loggertools/SleepRequest.h"

namespace ql {

bool SplitWakeUpMoment(const std::string& text, std::string& timeText, std::string& dateText) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, used = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%n", &year, &month, &day, &hour, &minute, &second, &used) != 6 ||
      static_cast<size_t>(used) != text.size()) {
    return false;
  }
  timeText = Format("%02d:%02d:%02d", hour, minute, second);
  dateText = Format("%02d/%02d/%04d", month, day, year);
  return true;
}

Job::Outcome SleepJob::Poll(HeadlessHost& host) {
  const Outcome present = gate_.Poll(host, error_);
  if (present != Outcome::kDone) return present;
  HostState& state = host.State();
  host.Person().TakeMessages();
  if (SleepButtonClick(time_, date_, state.pc.daylight, state.clock, state.op, state.sender)) return Outcome::kDone;
  // The dialog's refusal, told in its box, names what is wrong with the moment.
  const std::vector<std::string> refused = host.Person().TakeMessages();
  refusedInput_ = true;
  return Fail(refused.empty() ? std::string("the wake-up moment was refused") : refused.back());
}

}  // namespace ql
