#include "FactoryActions.h"

#include "common/Format.h"
#include "common/Operator.h"
#include "cycle/FactoryRecords.h"
#include "cycle/HostState.h"
#include "serial/CommandFrame.h"
#include "setup/FactoryRecordFile.h"

namespace ql {
namespace {

// How one page keeps its record in a file.
struct RecordFileUse {
  const char* notCurrentQuestion;
  Operator::FileDialog save;
  Operator::FileDialog load;
};

const RecordFileUse kHardwareFile = {
    "The Hardware Configuration shown on the Host Program may not match the Hardware Configuration in the Data "
    "Logger.\n\nDo you still want to save the displayed Hardware Configuration?",
    {.title = "Save Hardware Configuration File", .filter = "Hardware Configuration (*.hdw)|*.hdw|All Files (*.*)|*.*", .defaultExtension = "*.hdw"},
    {.title = "Load Hardare Configuration File", .filter = "Hardware Configuration (*.hdw)|*.hdw|All Files (*.*)|*.*", .defaultExtension = "*.hdw"},
};

const RecordFileUse kAnalogFile = {
    "The Analog Calibration shown on the Host Program may not match the Analog Calibration in the Data "
    "Logger.\n\nDo you still want to save the displayed Analog Calibration?",
    {.title = "Save Analog Calibration File", .filter = "Analog Calibration (*.alg)|*.alg|All Files (*.*)|*.*", .defaultExtension = "*.alg"},
    {.title = "Load Analog Calibration File", .filter = "Analog Calibration (*.alg)|*.alg|All Files (*.*)|*.*", .defaultExtension = "*.alg"},
};

// A page that may not show the logger's record is saved only when the operator says so.
bool SaveAllowed(Operator& op, bool current, const char* question) {
  if (current) return true;
  Operator::Question q;
  q.caption = "**** Warning ****";
  q.text = question;
  q.buttons = Operator::Buttons::OkCancel;
  q.icon = Operator::Icon::Exclamation;
  q.beepFirst = true;
  return op.Ask(q) == Operator::Answer::Ok;
}

template <size_t N>
void WriteRecordFile(Operator& op, const RecordFileUse& use, const std::array<uint8_t, N>& record) {
  const std::optional<std::string> name = op.SaveFile(use.save);
  if (!name) return;
  // The operator must not go away believing the record is kept when it is not.
  if (!SaveRecordFile(*name, record)) {
    op.Warning("File Error", Format("Unable to write the file %s", name->c_str()));
  }
}

template <size_t N>
bool ReadRecordFile(Operator& op, const RecordFileUse& use, std::array<uint8_t, N>& record) {
  const std::optional<std::string> name = op.OpenFile(use.load);
  return name && LoadRecordFile(*name, record);
}

void BuildHardware(HostState& host) {
  BuildHardwareConfig(host.factory.hardware.controls, host.records.hardwareConfig);
}

void BuildAnalog(HostState& host) {
  BuildAnalogCalibration(host.factory.analog.controls, host.records.analogCalibration);
}

template <size_t N>
void Send(HostState& host, const std::array<uint8_t, N>& record) {
  host.sender.SendRecord(record.data(), static_cast<int>(N));
}

}  // namespace

void HardwareEdited(HostState& host) { host.factory.hardware.current = false; }

void AnalogEdited(HostState& host) { host.factory.analog.current = false; }

void BTSendHardwareSetupClick(HostState& host) {
  HardwarePageState& page = host.factory.hardware;
  BuildHardware(host);
  if (!HardwareConfigSendable(page.controls)) {
    host.op.Warning("Hardware Configuration Error", "A meter type and Non-zero SN MUST be selected");
    return;
  }
  if (!host.factory.password.CheckPassword(page.password, host.op)) return;
  Send(host, host.records.hardwareConfig);
}

void BTSendAnalogCalibrationClick(HostState& host) {
  if (!host.factory.password.CheckPassword(host.factory.analog.password, host.op)) return;
  BuildAnalog(host);
  Send(host, host.records.analogCalibration);
}

void BTSaveHardwareFileClick(HostState& host) {
  if (!SaveAllowed(host.op, host.factory.hardware.current, kHardwareFile.notCurrentQuestion)) return;
  BuildHardware(host);
  WriteRecordFile(host.op, kHardwareFile, host.records.hardwareConfig);
}

void BTSaveAnalogFileClick(HostState& host) {
  if (!SaveAllowed(host.op, host.factory.analog.current, kAnalogFile.notCurrentQuestion)) return;
  BuildAnalog(host);
  WriteRecordFile(host.op, kAnalogFile, host.records.analogCalibration);
}

void BTLoadHardwareFileClick(HostState& host) {
  if (ReadRecordFile(host.op, kHardwareFile, host.records.hardwareConfig)) ShowLoadedHardware(host);
}

void BTLoadAnalogFileClick(HostState& host) {
  if (ReadRecordFile(host.op, kAnalogFile, host.records.analogCalibration)) ShowLoadedAnalogCalibration(host);
}

void LoadFactoryDefaults(HostState& host) {
  if (host.factory.password.CheckPassword(host.factory.hardware.password, host.op)) {
    host.sender.SendCommand(CmdLoadDefaults);
  }
}

}  // namespace ql
