#pragma once

#include <optional>

#include "cycle/HostModes.h"

namespace ql {

class HostState;

// What the operator does on the setup pages, as plain actions on the host state. The
// window writes the edited value into the setup controls first, then calls these.

// Any combo or edit of the two setup pages (and the auto-start box).
void CBPort1SetupChange(HostState& host);
// The time up-downs and UDAnalogRate clicked: no rate minimums.
void UDAnalogRateClick(HostState& host);
void UDLVCutOffClick(HostState& host);
void ModeCBChange(HostState& host);
// Once-per-hour boxes and TimeSourceCB.
void SetupEdited(HostState& host);

void BTSendSetup1Click(HostState& host);

// The one handler behind Get Setup, the PStore panel, Begin Sample and the requests of
// the hardware and calibration pages.
enum class SetupButton { kGetSetup, kStoreIndicator, kBegin, kGetHardware, kGetAnalog, kQL9Defaults };
void BTGetSetup1Click(HostState& host, SetupButton sender);

void BTStopClick(HostState& host);
// Polled-Wake (" WAKE") and Polled-Sleep ("SLEEP").
void Button1Click(HostState& host, bool wake);
void LoadDefaultLoggerSetupClick(HostState& host);

// SetupDisplayMode: applies a host mode to the host state. Returns the table column the
// window applies to its pages, panels and controls (nothing for modes that change none).
std::optional<ModeDisplay> SetupDisplayMode(HostState& host, int pendingMode);
// The Logger Control page laid out for ModeCB, with the moored choice made by the host
// mode rather than by ModeCB.
void ApplyHostModeLayout(HostState& host, bool moored);
// A Modes menu item.
std::optional<ModeDisplay> ChooseHostMode(HostState& host, int hostMode);

}  // namespace ql
