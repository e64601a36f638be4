#pragma once

#include "LinkKeeper.h"

namespace ql {

class HostState;

// The window's logger port kept through a pulled adapter: once the chosen port has been
// open, a port that goes away is opened again, quietly, every few seconds until it is
// back. Silence alone is left to the link's own alarms: the window has an operator to
// judge it. Choosing another port, or none, or replaying an archive lets it go.
class LoggerPortKeeper {
 public:
  // Once a second.
  void Second(HostState& host);
  bool Reconnecting() const { return keeper_.Reconnecting(); }

 private:
  LinkKeeper keeper_{LinkKeeper::Settings{}};
  int keptCom_ = 0;
};

}  // namespace ql
