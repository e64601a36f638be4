#pragma once

#include <cstdint>
#include <ostream>

namespace ql9ctl {

// Upload progress on standard error: a bar redrawn in place on a terminal, otherwise a
// plain line at each tenth of a run (and at its end), fit for a log.
class Progress {
 public:
  Progress(std::ostream& out, bool terminal) : out_(out), terminal_(terminal) {}
  ~Progress() { Finish(); }

  void Show(int run, int64_t received, int64_t size);
  // Ends a bar left open on the terminal.
  void Finish();

 private:
  std::ostream& out_;
  bool terminal_;
  int run_ = -1;
  int tenthShown_ = -1;
  bool barOpen_ = false;
};

}  // namespace ql9ctl
