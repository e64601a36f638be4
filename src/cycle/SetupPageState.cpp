#include "SetupPageState.h"

#include "HostState.h"

namespace ql {

void SetSetupCurrent(HostState& host, bool current) {
  host.setupPage.setupCurrent = current;
  host.layoutDirty = true;
}

}  // namespace ql
