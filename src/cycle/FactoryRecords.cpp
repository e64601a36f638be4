#include "FactoryRecords.h"

#include "HostState.h"

namespace ql {
namespace {

void LoadAnalogEdits(HostState& host) {
  host.factory.analog.controls = ReadAnalogCalibration(host.records.analogCalibration);
  host.factory.analogPageChanged = true;
}

}  // namespace

void CopyHardwareSettings(HostState& host) {
  host.factory.hardware.controls = ReadHardwareConfig(host.records.hardwareConfig);
  host.setupPage.meterType = host.factory.hardware.controls.meterType;
}

void ShowReceivedHardware(HostState& host) {
  host.factory.hardware.current = true;
  host.records.hardwareReceived = false;
}

void ShowReceivedAnalogCalibration(HostState& host) {
  LoadAnalogEdits(host);
  host.factory.analog.current = true;
}

void ShowLoadedHardware(HostState& host) {
  CopyHardwareSettings(host);
  host.factory.hardware.current = false;
}

void ShowLoadedAnalogCalibration(HostState& host) {
  LoadAnalogEdits(host);
  host.factory.analog.current = false;
}

}  // namespace ql
