#include "RecordActions.h"

#include "HostState.h"
#include "common/Clock.h"
#include "common/Operator.h"

namespace ql {
namespace {

SeriesTime SeriesTimeOf(const PcClock& pc) { return {pc.year, pc.dayOfYear, pc.hour}; }

int64_t PcUtcMs(const PcClock& pc) { return pc.utcSeconds * 1000 + pc.milliseconds; }

std::optional<std::string> ChooseRecordFile(HostState& host, const char* title) {
  Operator::FileDialog d;
  d.kind = Operator::FileDialog::Kind::Save;
  d.title = title;
  d.overwritePrompt = true;
  return host.op.ChooseFile(d);
}

void StartSeries(HostState& host, int state, const char* title) {
  if (const auto name = ChooseRecordFile(host, title)) host.recording.StartSeries(state, *name, SeriesTimeOf(host.pc));
}

void StartReplay(HostState& host, int state, const char* title) {
  Operator::FileDialog d;
  d.kind = Operator::FileDialog::Kind::Open;
  d.title = title;
  d.mustExist = true;
  const auto name = host.op.ChooseFile(d);
  if (!name || !host.recording.StartReplay(state, *name, host.recording.pcLogger.NowMs())) return;
  host.receiver.ForgetDataLength();
}

}  // namespace

void BTRecordArchiveClick(HostState& host) {
  if (const auto name = ChooseRecordFile(host, "Record Continuous Archive")) host.recording.StartArchive(*name);
}

void BTRecord1HourClick(HostState& host) { StartSeries(host, kRecordHourly, "Record 1 Hour Archive"); }

void BTRecord1DayClick(HostState& host) { StartSeries(host, kRecordDaily, "Record 1 Day Archive"); }

void BTRecordRawClick(HostState& host) {
  Operator::FileDialog d;
  d.kind = Operator::FileDialog::Kind::Save;
  d.title = "Record Raw File";
  d.defaultExtension = "*.raw";
  d.filter = "Raw Files|*.raw|All Files|*.*";
  d.overwritePrompt = true;
  if (const auto name = host.op.ChooseFile(d)) host.recording.StartRaw(*name);
}

void ReplayArchiveBTClick(HostState& host) { StartReplay(host, kReplayArchive, "Open Archive For Replay"); }

void ReplayContinuousBTClick(HostState& host) {
  StartReplay(host, kReplayContinuous, "Open Archive For Continuous Replay");
}

void BTStopRecordClick(HostState& host) {
  const bool replaying = IsReplayState(host.recording.state);
  host.recording.Stop();
  if (replaying) host.receiver.ForgetDataLength();
}

void ReadPcMilliseconds(HostState& host) {
  host.recording.pcLogger.ReadClock(PcUtcMs(host.pc), host.pc.hostSeconds, host.pc.milliseconds);
}

void TriggerPcLogger(HostState& host) {
  PcLogger& logger = host.recording.pcLogger;
  const PcLogger::Choice choice{host.deckPorts.rate.interval, host.deckPorts.recordPcTime};
  // A clock set back makes the difference negative: due at once, as an unsigned
  // difference would be.
  const int64_t since = logger.NowMs() - logger.triggerMs;
  if (since >= 0 && since < choice.intervalMs) return;
  logger.triggerMs = logger.NowMs();
  const int length = logger.Build(choice, host.recording.annotation, host.ports, host.deck, host.deckPorts.input);
  if (length == 0) return;
  RealTimeDisplay& display = host.display;
  if (display.running && display.source == RealTimeDisplay::kRawPcLoggerData) {
    display.rawPcLoggerRecord.assign(reinterpret_cast<const char*>(logger.Record()), static_cast<size_t>(length));
  }
  host.consumer.ConsumeDataRecord(logger.Record(), length, host.recording.state);
}

void ActOnReplayStop(HostState& host) {
  if (!host.recording.replay.stopRequest) return;
  host.recording.replay.stopRequest = false;
  BTStopRecordClick(host);
}

void ShowRecordingStatus(HostState& host) {
  Recording& r = host.recording;
  r.ShowStatus(r.pcLogger.NowMs());
  if (IsSeriesState(r.state)) r.RolloverCheck(host.pc.minute);
}

std::string PcTimeTextNow(HostState& host) {
  const Clock::Now now = host.clock.ReadNow();
  const int64_t hostSeconds = HostSecondsOf(host.clock, now.utcSeconds);
  host.recording.pcLogger.ReadClock(now.utcSeconds * 1000 + now.milliseconds, hostSeconds, now.milliseconds);
  return host.recording.pcLogger.TimeText();
}

}  // namespace ql
