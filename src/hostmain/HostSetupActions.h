#pragma once

#include <optional>

#include "cycle/HostModes.h"
#include "setupfile/HostSetupFile.h"

namespace ql {

class HostState;

// The host setup file's records acted on in the host state, each as its record says,
// in file order. The window applies what lives only in its widgets (window size, menu
// items) beside these.

// Record 1: the logger port. An explicit load (from the Files menu) never changes a
// logger port that is already chosen. The logger setup is no longer current.
void LoadLoggerPortRecord(HostState& host, const HostSetupFile& file, bool explicitLoad);
// Record 2: the host mode; then the logger port is reopened with an empty receiver.
// Returns the host-mode column for the window, as SetupDisplayMode does.
std::optional<ModeDisplay> LoadHostModeRecord(HostState& host, const HostSetupFile& file);
// Record 6's layout step: the Logger Control page laid out for the host mode, moored
// for host modes 2 and 5.
void LoadHostModeLayout(HostState& host);
// Records 8 (time source), 9 (auto start) and 21 (mode, file and output boxes): the
// setup controls' items.
void LoadTimeSourceRecord(HostState& host, const HostSetupFile& file);
void LoadAutoStartRecord(HostState& host, const HostSetupFile& file);
void LoadSetupCombosRecord(HostState& host, const HostSetupFile& file);
// Record 10: whether the Logger_Port menu is offered.
void LoadLoggerPortMenuRecord(HostState& host, const HostSetupFile& file);
// Record 13: the extracted file types, then the real-time display's choices, applied as a
// change of RawPortCB.
void LoadRealTimeRecord(HostState& host, const HostSetupFile& file);
// Record 14: the deck rate, stepped as a click would, and the PC time check.
void LoadDeckRateRecord(HostState& host, const HostSetupFile& file);
// Records 15..19: one value of each deck port row.
void LoadDeckRowsRecord(HostState& host, const HostSetupFile& file, int record);
// Record 20: which replay controls are shown, and the replay speed held to its up-down.
void LoadReplayRecord(HostState& host, const HostSetupFile& file);
// After record 22: the deck ports reopened as the rows say.
void ReapplyDeckSetup(HostState& host);

// The values the host state holds, written over `file`: what lives only in the window
// and the values of controls the host does not have are left as they are.
void StoreHostState(const HostState& host, HostSetupFile& file);

}  // namespace ql
