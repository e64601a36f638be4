#include "LinkKeeper.h"

namespace ql {

LinkKeeper::Event LinkKeeper::Watch(uint32_t bytesRead, bool portOpen, int64_t nowMs,
                                    const std::function<void()>& reopen) {
  portOpen_ = portOpen;
  kept_ = kept_ || portOpen;
  if (!kept_) return Event::kNone;
  if (!looked_) {
    looked_ = true;
    lastBytes_ = bytesRead;
    lastBytesMs_ = nowMs;
    lastTryMs_ = nowMs;
  }
  if (bytesRead != lastBytes_) {
    lastBytes_ = bytesRead;
    lastBytesMs_ = nowMs;
    if (!lost_) return Event::kNone;
    lost_ = false;
    return Event::kBack;
  }
  const bool gone = !portOpen;
  const bool silent = settings_.silenceMs > 0 && nowMs - lastBytesMs_ >= settings_.silenceMs;
  if (!gone && !silent) return Event::kNone;
  if (!lost_) {
    lost_ = true;
    lastTryMs_ = nowMs;
    return gone ? Event::kLostGone : Event::kLostSilent;
  }
  if (nowMs - lastTryMs_ >= settings_.retryMs) {
    lastTryMs_ = nowMs;
    reopen();
  }
  return Event::kNone;
}

void LinkKeeper::Forget() { *this = LinkKeeper(settings_); }

}  // namespace ql
