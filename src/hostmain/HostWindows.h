#pragma once

#include <filesystem>
#include <memory>

#include "TForm1.h"
#include "dialogs/TStatsForm.h"

namespace ql {

// Every window of the program, created at once in their fixed order: the main window
// first, then the dialogs, which are afterwards only shown and hidden. Members are
// destroyed in reverse order, so the dialogs go before the state they show.
struct HostWindows {
  std::unique_ptr<TForm1> form1;
  std::unique_ptr<TStatsForm> statsForm;
};

HostWindows CreateHostWindows(SerialDeviceFactory deviceFactory, Clock& clock, Operator& op,
                              const std::filesystem::path& startDirectory);

}  // namespace ql
