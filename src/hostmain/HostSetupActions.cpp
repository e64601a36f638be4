#include "HostSetupActions.h"

#include <algorithm>

#include "cycle/SetupActions.h"
#include "cycle/HostState.h"

namespace ql {
namespace {

// A stored item of a combo with `count` items; any other value selects nothing, as the
// combo itself would show it.
int ComboItem(int value, int count) { return value >= -1 && value < count ? value : -1; }

constexpr int kComPortItems = 13;  // "No Port Selected" / "OFF", then COM1..COM12
constexpr int kDeckFunctionItems = 3;
constexpr int kRawSourceItems = 3;
constexpr int kRawPortItems = 9;
constexpr int kExtractFileItems = 2;

}  // namespace

void LoadLoggerPortRecord(HostState& host, const HostSetupFile& file, bool explicitLoad) {
  LoggerPortControls& port = host.loggerPort;
  if (!explicitLoad || port.comIndex == 0) {
    port.comIndex = ComboItem(file.Get(zrh::kLoggerPortCB), kComPortItems);
    port.lineIndex = ComboItem(file.Get(zrh::kLoggerSetupCB), kLineSettingCount);
  }
  if (file.Has(zrh::kCBHostPortSetup)) host.setupPage.controls.hostPortLine = file.Get(zrh::kCBHostPortSetup);
  SetSetupCurrent(host, false);
}

std::optional<ModeDisplay> LoadHostModeRecord(HostState& host, const HostSetupFile& file) {
  const std::optional<ModeDisplay> display = SetupDisplayMode(host, NormaliseHostMode(file.Get(zrh::kHostMode)));
  host.receiver.FlushReceiver();
  host.ports.ConfigurePort(PortTable::kLoggerSlot, host.loggerPort.comIndex, host.loggerPort.lineIndex);
  return display;
}

void LoadHostModeLayout(HostState& host) {
  ApplyHostModeLayout(host, host.hostMode == kMooredLogging || host.hostMode == kAdvancedUser);
}

void LoadTimeSourceRecord(HostState& host, const HostSetupFile& file) {
  host.setupPage.controls.timeSource = file.Get(zrh::kTimeSourceCB);
}

void LoadAutoStartRecord(HostState& host, const HostSetupFile& file) {
  host.setupPage.controls.autoStart = file.Get(zrh::kCBAutoStart) != 0;
}

void LoadSetupCombosRecord(HostState& host, const HostSetupFile& file) {
  SetupControls& c = host.setupPage.controls;
  c.mode = file.Get(zrh::kModeCB);
  c.file = file.Get(zrh::kFileCB);
  c.output = file.Get(zrh::kOutputCB);
}

void LoadLoggerPortMenuRecord(HostState& host, const HostSetupFile& file) {
  host.loggerPort.menuOffered = file.Get(zrh::kMenuLoggerPortSetupVisible) != 0;
}

void LoadRealTimeRecord(HostState& host, const HostSetupFile& file) {
  host.flash.page.extractFiles = ComboItem(file.Get(zrh::kExtractFilesRG), kExtractFileItems);
  RawPortCBChange(host.display, ComboItem(file.Get(zrh::kRawSourceCB), kRawSourceItems),
                  ComboItem(file.Get(zrh::kRawPortCB), kRawPortItems), std::clamp<int>(file.Get(zrh::kRawMuxIDUD), 1, 4));
}

void LoadDeckRateRecord(HostState& host, const HostSetupFile& file) {
  UDDeckRateClick(host.deckPorts.rate, file.Get(zrh::kUDDeckRate));
  host.deckPorts.recordPcTime = file.Get(zrh::kCBRecordPCTime) != 0;
}

void LoadDeckRowsRecord(HostState& host, const HostSetupFile& file, int record) {
  for (int n = 1; n <= DeckPorts::kPorts; ++n) {
    DeckPortRow& row = host.deckPorts.Row(n);
    switch (record) {
      case 15: row.comIndex = ComboItem(file.Get(zrh::kDeckPortCB(n)), kComPortItems); break;
      case 16: row.lineIndex = ComboItem(file.Get(zrh::kDeckSetupCB(n)), kLineSettingCount); break;
      case 17: row.function = ComboItem(file.Get(zrh::kPortTypeCB(n)), kDeckFunctionItems); break;
      case 18:
        row.loggerId = std::clamp<int>(file.Get(zrh::kUDDeckType(n)), DeckPortRow::kLowestId, DeckPortRow::kHighestId);
        break;
      case 19:
        row.loggerPort =
            std::clamp<int>(file.Get(zrh::kUDOutPort(n)), DeckPortRow::kLowestPort, DeckPortRow::kHighestPort);
        break;
    }
  }
}

void LoadReplayRecord(HostState& host, const HostSetupFile& file) {
  ReplayState& replay = host.recording.replay;
  for (int i = 0; i < ReplayState::kControls; ++i) {
    replay.controlsVisible[static_cast<size_t>(i)] = file.Get(zrh::kReplayControlVisible(i)) != 0;
  }
  replay.speed = std::clamp<int>(file.Get(zrh::kReplaySpeedUD), ReplayState::kSlowest, ReplayState::kFastest);
}

void ReapplyDeckSetup(HostState& host) {
  RefreshDeckRows(host.deckPorts);
  BTLoadDeckClick(host.deckPorts, host.deck, host.ports);
}

void StoreHostState(const HostState& host, HostSetupFile& file) {
  const LoggerPortControls& port = host.loggerPort;
  const SetupControls& c = host.setupPage.controls;
  file.currentVersion = true;
  file.values[1].resize(static_cast<size_t>(HostSetupFile::Count(1)));
  file.Set(zrh::kLoggerPortCB, port.comIndex);
  file.Set(zrh::kLoggerSetupCB, port.lineIndex);
  file.Set(zrh::kCBHostPortSetup, c.hostPortLine);
  file.Set(zrh::kHostMode, host.hostMode);
  file.Set(zrh::kTimeSourceCB, c.timeSource);
  file.Set(zrh::kAutoStartShown, 1);
  file.Set(zrh::kCBAutoStart, c.autoStart);
  file.Set(zrh::kMenuLoggerPortSetupVisible, port.menuOffered);
  file.Set(zrh::kExtractFilesRG, host.flash.page.extractFiles);
  file.Set(zrh::kRawSourceCB, host.display.source);
  file.Set(zrh::kRawMuxIDUD, host.display.loggerId);
  file.Set(zrh::kRawPortCB, host.display.port);
  file.Set(zrh::kUDDeckRate, host.deckPorts.rate.rate);
  file.Set(zrh::kCBRecordPCTime, host.deckPorts.recordPcTime);
  for (int n = 1; n <= DeckPorts::kPorts; ++n) {
    const DeckPortRow& row = host.deckPorts.Row(n);
    file.Set(zrh::kDeckPortCB(n), row.comIndex);
    file.Set(zrh::kDeckSetupCB(n), row.lineIndex);
    file.Set(zrh::kPortTypeCB(n), row.function);
    file.Set(zrh::kUDDeckType(n), row.loggerId);
    file.Set(zrh::kUDOutPort(n), row.loggerPort);
  }
  const ReplayState& replay = host.recording.replay;
  for (int i = 0; i < ReplayState::kControls; ++i) {
    file.Set(zrh::kReplayControlVisible(i), replay.controlsVisible[static_cast<size_t>(i)]);
  }
  file.Set(zrh::kReplaySpeedUD, replay.speed);
  file.Set(zrh::kModeCB, c.mode);
  file.Set(zrh::kFileCB, c.file);
  file.Set(zrh::kOutputCB, c.output);
}

}  // namespace ql
