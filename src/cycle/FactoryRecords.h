#pragma once

namespace ql {

class HostState;

// What the host does with the logger's factory records when they arrive or are loaded.

// A hardware configuration packet, at once: its fields become the host's hardware
// settings, its meter type the host's known meter type. The page shows them on the
// next one-second tick.
void CopyHardwareSettings(HostState& host);

// The one-second tick, while the hardware flag is raised: the hardware page shows the
// settings as the logger's own, and the flag is lowered.
void ShowReceivedHardware(HostState& host);

// An analog calibration packet, at once: the edits show it as the logger's own.
void ShowReceivedAnalogCalibration(HostState& host);

// ShowHardwareConfig and ShowAnalogCalibration for a record loaded from a file: the
// page shows it, and is marked as edited, since it does not show the logger's record.
void ShowLoadedHardware(HostState& host);
void ShowLoadedAnalogCalibration(HostState& host);

}  // namespace ql
