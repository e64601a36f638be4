#pragma once

#include <cstdint>
#include <functional>

#include "LoggerRecords.h"

namespace ql {

// Hands each recognised packet of type 1..7 to its record and its consumer: at once
// for short messages, upload blocks, directory entries, calibration and hardware;
// through a flag for the setup and the status, which the one-second tick shows.
class Dispatcher {
 public:
  struct Hooks {
    std::function<void()> uploadBlock;        // type 4
    std::function<void()> directoryEntry;     // type 5
    std::function<void()> analogCalibration;  // type 6
    std::function<void()> hardwareSettings;   // type 7: copy into the host's settings
  };

  explicit Dispatcher(LoggerRecords& records) : records_(records) {}
  Hooks& hooks() { return hooks_; }

  void DispatchPacket(int type, const uint8_t* packet);

 private:
  LoggerRecords& records_;
  Hooks hooks_;
};

// ShowBadFlash: whether FlashPanel must change (and to what); remembers the value shown.
struct BadFlashChange {
  bool changed = false;
  bool panelVisible = false;
};
BadFlashChange ShowBadFlash(LoggerRecords& records);

}  // namespace ql
