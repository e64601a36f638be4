#include "HostWindows.h"

namespace ql {

HostWindows CreateHostWindows(SerialDeviceFactory deviceFactory, Clock& clock, Operator& op,
                              const std::filesystem::path& startDirectory) {
  HostWindows w;
  w.form1 = std::make_unique<TForm1>(std::move(deviceFactory), clock, op, startDirectory);
  w.statsForm = std::make_unique<TStatsForm>(w.form1->Host().stats);
  Dialogs dialogs;
  dialogs.statsForm = w.statsForm.get();
  w.form1->AttachDialogs(dialogs);
  return w;
}

}  // namespace ql
