#pragma once

#include <cstdint>
#include <functional>

namespace ql {

// Keeps a logger link: a port that has gone (an adapter pulled out), or a logger silent
// for too long, is opened again every few seconds until bytes flow again. The recorder
// and the window share it; the caller does the opening (comports.txt read afresh, since a
// replugged adapter may come back under another name).
class LinkKeeper {
 public:
  struct Settings {
    int64_t retryMs = 5000;  // a lost port is tried again this often
    int64_t silenceMs = 0;   // no byte for this long counts as a lost link; 0: silence never does
    // Kept from the first look on, open or not (a recorder started before its adapter is
    // plugged in waits for it); otherwise only once the port has been seen open.
    bool fromStart = false;
  };
  enum class Event { kNone, kLostGone, kLostSilent, kBack };

  explicit LinkKeeper(Settings settings) : settings_(settings), kept_(settings.fromStart) {}

  // One look at the link: its byte counter and whether its port is open. `reopen` is
  // called when a retry is due.
  Event Watch(uint32_t bytesRead, bool portOpen, int64_t nowMs, const std::function<void()>& reopen);
  // Another port was chosen, or none: the old one is no longer kept.
  void Forget();

  bool Lost() const { return lost_; }
  // Lost and its port not open: what the window's status bar calls reconnecting.
  bool Reconnecting() const { return lost_ && !portOpen_; }

 private:
  Settings settings_;
  bool kept_ = false;
  bool looked_ = false;
  bool portOpen_ = false;
  bool lost_ = false;
  uint32_t lastBytes_ = 0;
  int64_t lastBytesMs_ = 0;
  int64_t lastTryMs_ = 0;
};

}  // namespace ql
