#include "Progress.h"

#include <string>

#include "common/Format.h"

namespace ql9ctl {

void Progress::Show(int run, int64_t received, int64_t size) {
  const int percent = size > 0 ? static_cast<int>(received * 100 / size) : 100;
  if (run != run_) {
    Finish();
    run_ = run;
    tenthShown_ = -1;
  }
  if (terminal_) {
    constexpr int kWidth = 40;
    const int filled = percent * kWidth / 100;
    out_ << ql::Format("\rrun.%03d [%s%s] %3d%% %lld of %lld bytes", run, std::string(filled, '#').c_str(),
                       std::string(kWidth - filled, '.').c_str(), percent, static_cast<long long>(received),
                       static_cast<long long>(size))
         << std::flush;
    barOpen_ = true;
    return;
  }
  if (percent / 10 == tenthShown_) return;
  tenthShown_ = percent / 10;
  out_ << ql::Format("run.%03d: %lld of %lld bytes (%d%%)\n", run, static_cast<long long>(received),
                     static_cast<long long>(size), percent);
}

void Progress::Finish() {
  if (barOpen_) out_ << "\n" << std::flush;
  barOpen_ = false;
}

}  // namespace ql9ctl
