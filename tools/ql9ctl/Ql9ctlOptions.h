#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "headless/PortChoice.h"

namespace ql9ctl {

// What one command line asks for.
struct Options {
  enum class Command { kStatus, kSetupGet, kSetupSend, kSetupDiff, kClock, kDir, kUpload, kSleep, kRecord };
  Command command = Command::kStatus;
  ql::PortChoice port;
  bool json = false;
  int timeoutSeconds = 10;  // for the logger's first answer
  bool watch = false;       // status --watch
  std::string file;         // setup get/send/diff; empty for "setup get": standard output
  bool sync = false;        // clock --sync
  std::optional<std::set<int>> runs;  // upload: nothing for --all
  std::string out;                    // upload --out
  int extract = 0;                    // upload --extract
  std::string wakeTime;               // sleep --until, as the dialog's time and date texts
  std::string wakeDate;
  std::string until;
  int recordState = 0;  // record: the Recording page's choice
  std::string recordName;
  bool syncClock = false;
  std::string udp;  // record --udp HOST:PORT
};

// The command line read: run it, show a text (--help) and end with 0, or refuse it with
// one line and end with 2.
struct Parsed {
  enum class Outcome { kRun, kShowText, kRefuse };
  Outcome outcome = Outcome::kRun;
  std::string text;
  Options options;
};

// `args` without the program name.
Parsed ParseOptions(const std::vector<std::string>& args);

}  // namespace ql9ctl
