#include "HostState.h"

#include "FactoryRecords.h"
#include "flash/LoggerDirectory.h"
#include "flash/RunExtraction.h"
#include "flash/RunUpload.h"

namespace ql {

HostState::HostState(SerialDeviceFactory deviceFactory, Clock& clockSource, Operator& person)
    : clock(clockSource),
      op(person),
      ports(std::move(deviceFactory), person),
      sender(ports),
      receiver(ports),
      dispatcher(records),
      consumer(senders, deck, ports, display, person),
      flash(sender, person),
      recording(person) {
  WireReceiver();
  // Each finished run file is extracted beside itself, with the choice its upload noted.
  flash.extractRun = [this](const std::filesystem::path& runFile, int choice) {
    ExtractRunBeside(runFile, choice, debugFile, extraction, op);
  };
  consumer.hooks().archive = [this](const uint8_t* record, int length, int) {
    return recording.WriteRecord(record, length, {pc.year, pc.dayOfYear, pc.hour});
  };
}

void HostState::WireReceiver() {
  Receiver::Hooks& hooks = receiver.hooks();
  hooks.bytesRead = [this](const uint8_t* bytes, int count) {
    recording.WriteRaw(bytes, count);
    if (display.ShowsRawLoggerData()) {
      display.rawLoggerBytes.assign(reinterpret_cast<const char*>(bytes), static_cast<size_t>(count));
    }
  };
  hooks.dispatch = [this](int type, const uint8_t* packet) { dispatcher.DispatchPacket(type, packet); };
  dispatcher.hooks().uploadBlock = [this] { HandleUploadBlock(flash, records.uploadBlock.data()); };
  dispatcher.hooks().directoryEntry = [this] { HandleDirectoryEntry(flash, records.directoryEntry.data()); };
  dispatcher.hooks().analogCalibration = [this] { ShowReceivedAnalogCalibration(*this); };
  dispatcher.hooks().hardwareSettings = [this] { CopyHardwareSettings(*this); };
  hooks.dataRecord = [this](uint8_t* record, int length, int state) {
    consumer.ConsumeDataRecord(record, length, state, IsReplayState(state) && recording.replay.continuation);
  };
  consumer.hooks().accepted = [this](const uint8_t* record) { plot.AddRecord(record, pc.UtcSeconds()); };
  // The refused length shows where unit 1's last gap is shown.
  hooks.lengthRefused = [this](int length) { senders.gap[1] = static_cast<uint32_t>(length); };
  hooks.replay = [this](uint8_t* buffer, int capacity) { return recording.ReadReplayPacket(buffer, capacity); };
}

}  // namespace ql
