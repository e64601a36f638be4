#pragma once

namespace ql {

class HostState;

// What the operator does on the hardware configuration and analog calibration pages,
// as plain actions on the host state. The window writes the edited control (or the
// typed password) into the factory settings first, then calls these.

// Any change of DeviceTypeCB, SNEdit, RunStopCB, StatusLEDCB or a relay box.
void HardwareEdited(HostState& host);
// Any change of MEOffset0..MEOffset7 or MEScale0..MEScale7.
void AnalogEdited(HostState& host);

void BTSendHardwareSetupClick(HostState& host);
void BTSendAnalogCalibrationClick(HostState& host);

void BTSaveHardwareFileClick(HostState& host);
void BTSaveAnalogFileClick(HostState& host);
void BTLoadHardwareFileClick(HostState& host);
void BTLoadAnalogFileClick(HostState& host);

// BTQL9Defaults: the logger's factory defaults, behind the password of HWPassword.
void LoadFactoryDefaults(HostState& host);

}  // namespace ql
