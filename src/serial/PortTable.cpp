#include "PortTable.h"

#include "LineSettings.h"
#include "common/Format.h"
#include "common/Operator.h"

namespace ql {

PortTable::PortTable(SerialDeviceFactory factory, Operator& op)
    : factory_(std::move(factory)), operator_(op) {}

PortTable::~PortTable() {
  for (Slot& s : slots_) {
    if (s.openCom != 0 && s.device) s.device->Close();
  }
}

PortTable::Slot* PortTable::At(int slot) {
  return slot >= 0 && slot < kSlots ? &slots_[slot] : nullptr;
}

const PortTable::Slot* PortTable::At(int slot) const {
  return slot >= 0 && slot < kSlots ? &slots_[slot] : nullptr;
}

void PortTable::InitPortTable() {
  for (Slot& s : slots_) {
    s.lineSetting = kLine9600;
    s.openCom = 0;
  }
}

void PortTable::SetPortLine(int slot, int baud, int dataBits) {
  Slot* s = At(slot);
  if (s == nullptr) return;
  if (const auto setting = LineSettingFor(baud, dataBits)) s->lineSetting = *setting;
}

void PortTable::SetComPortFile(std::filesystem::path file) {
  mapFile_ = std::move(file);
  ReadComPortFile();
}

void PortTable::ReadComPortFile() {
  if (mapFile_.empty()) return;
  map_ = ComPortMap();
  map_.LoadFile(mapFile_);
  if (map_.Problems() == reportedProblems_) return;
  reportedProblems_ = map_.Problems();
  if (!reportedProblems_.empty()) operator_.Warning("COM Port Mapping", map_.ProblemsText());
}

void PortTable::OpenPort(int slot, int com, bool quietly) {
  Slot* s = At(slot);
  if (s == nullptr) return;
  ReadComPortFile();
  const std::string deviceName = map_.DeviceName(com);
  s->device = factory_();
  if (!s->device || !s->device->Open(deviceName)) {
    // Which device was tried and why it failed, under the usual words.
    std::string text = Format("COM%1d may already be assigned or may not exist", com) + "\n" + deviceName;
    if (s->device && !s->device->OpenError().empty()) text += ": " + s->device->OpenError();
    s->device.reset();
    s->openCom = 0;
    if (!quietly) operator_.Notice(Format("Could Not Open COM%1d", com), text);
    return;
  }
  // An unparsable mode string cannot happen with the fixed table; keep the device's
  // own settings then rather than failing the open.
  if (const auto line = ParseModeString(ModeString(s->lineSetting))) s->device->ApplyLine(*line);
  s->openCom = com;
}

void PortTable::ClosePort(int slot) {
  Slot* s = At(slot);
  if (s == nullptr || s->openCom == 0) return;
  const bool closed = !s->device || s->device->Close();
  s->device.reset();
  s->openCom = 0;
  if (!closed) operator_.Notice("Comm Error", "Could Not Close Comm  Port");
}

bool PortTable::IsPortOpen(int slot) const {
  const Slot* s = At(slot);
  return s != nullptr && s->openCom != 0;
}

void PortTable::WritePort(int slot, const uint8_t* bytes, int count) {
  Slot* s = At(slot);
  if (s == nullptr || s->openCom == 0 || count <= 0) return;
  s->device->Write(bytes, count);
}

int PortTable::ReadPort(int slot, uint8_t* buffer, int maxBytes) {
  Slot* s = At(slot);
  if (s == nullptr || s->openCom == 0 || maxBytes <= 0) return 0;
  const int n = s->device->Read(buffer, maxBytes);
  s->bytesLost += s->device->TakeDiscarded();
  if (n == SerialDevice::kEndOfFile || s->device->Lost()) {
    // The adapter has gone, or the far end has closed: close once and quietly; the
    // no-data timer shows the loss, and choosing the port again opens it afresh.
    s->device->Close();
    s->device.reset();
    s->openCom = 0;
  }
  return n > 0 ? n : 0;
}

int PortTable::BytesWaiting(int slot) const {
  const Slot* s = At(slot);
  return s != nullptr && s->openCom != 0 ? s->device->Waiting() : 0;
}

int PortTable::ConfigurePort(int slot, int comIndex, int lineIndex, bool quietly) {
  ClosePort(slot);
  if (lineIndex == kLineOff) return 0;
  const BaudAndBits pair = ConfigurePair(lineIndex);
  SetPortLine(slot, pair.baud, pair.dataBits);
  if (comIndex >= 1 && comIndex <= ComPortMap::kHighestCom) {
    OpenPort(slot, comIndex, quietly);
    return lineIndex;
  }
  return 0;
}

uint32_t PortTable::BytesLost(int slot) const {
  const Slot* s = At(slot);
  return s != nullptr ? s->bytesLost : 0;
}

int PortTable::OpenCom(int slot) const {
  const Slot* s = At(slot);
  return s != nullptr ? s->openCom : 0;
}

int PortTable::LineSetting(int slot) const {
  const Slot* s = At(slot);
  return s != nullptr ? s->lineSetting : kLine9600;
}

}  // namespace ql
