#include "Cycle.h"

#include "FactoryRecords.h"
#include "HostState.h"
#include "LinkHealth.h"
#include "RecordActions.h"
#include "ReceivedRecords.h"
#include "common/Format.h"
#include "deck/DeckLabels.h"
#include "flash/RunUpload.h"

namespace ql {
namespace {

constexpr int16_t kOwner = StatsBoard::kLoggerPortOwner;

// A recognised packet proves the link: colours back to normal, auto baud done.
void MarkLinkHealthy(HostState& host) {
  host.cycle.noDataTimer = 2;
  host.cycle.badDataTimer = 3;
  LoggerPortControls& port = host.loggerPort;
  port.comColour = kWindowColour;
  port.lineColour = kWindowColour;
  port.panelColour = kButtonFace;
  port.autoBaud = false;
}

void WritePendingTerminalOutput(HostState& host) {
  RealTimeDisplay& d = host.display;
  if (!d.parsedExtract.empty()) host.terminal.WriteTerminal(d.parsedExtract);
  if (!d.rawLoggerBytes.empty()) host.terminal.WriteTerminal(d.rawLoggerBytes);
  if (!d.rawPcLoggerRecord.empty()) host.terminal.WriteTerminal(d.rawPcLoggerRecord);
}

uint32_t JudgePacketRate(HostState& host) {
  const uint32_t thisSecond = host.receiver.Counters().packetsRecognised - host.cycle.lastPacketCount;
  if (thisSecond != 0) {
    host.cycle.badDataTimer = 3;
    host.loggerPort.lineColour = kWindowColour;
    host.loggerPort.panelColour = kButtonFace;
    host.stats.StatsSetColor(kOwner, 3, kWindowColour);
  } else {
    host.cycle.badDataTimer -= 1;
    host.stats.StatsSetColor(kOwner, 3, kRed);
  }
  return thisSecond;
}

void ShowLoggerPortStatus(LoggerPortControls& port) {
  port.panelVisible = port.comIndex > 0;
  port.comStatus = DescribePort(port.comIndex, port.lineIndex);
  port.panelText = Format("Logger Port: COM%1d", port.comIndex);
}

void ShowPacketRate(HostState& host, uint32_t thisSecond) {
  host.stats.StatsSetLine(kOwner, 3, Format("Packets/Sec:  %lu", static_cast<unsigned long>(thisSecond)));
  host.cycle.lastPacketCount = host.receiver.Counters().packetsRecognised;
}

void ShowByteRate(HostState& host) {
  CycleState& cycle = host.cycle;
  const uint32_t total = host.receiver.Counters().totalInput;
  const uint32_t thisSecond = total - cycle.lastByteCount;
  if (thisSecond != 0) {
    cycle.noDataTimer = 2;
    host.stats.StatsSetColor(kOwner, 1, kButtonFace);
  } else {
    cycle.noDataTimer -= 1;
    host.stats.StatsSetColor(kOwner, 1, kYellow);
  }
  host.stats.StatsSetLine(kOwner, 1, Format("Bytes/Sec:  %lu", static_cast<unsigned long>(thisSecond)));
  cycle.lastByteCount = total;
  host.stats.StatsSetLine(kOwner, 2, Format("Total Input: %lu", static_cast<unsigned long>(total)));
}

// Input the logger port had to throw away because the host fell too far behind is
// never silent.
void ShowLostInput(HostState& host) {
  const uint32_t lost = host.ports.BytesLost(PortTable::kLoggerSlot);
  if (lost != 0) host.stats.StatsSetLostInput(kOwner, Format("Lost Input: %lu", static_cast<unsigned long>(lost)));
}

void ShowLargestPayload(HostState& host) {
  const int thisSecond = host.receiver.Counters().largestPayloadThisSecond;
  if (thisSecond > host.cycle.largestPayloadEver) host.cycle.largestPayloadEver = thisSecond;
  host.stats.StatsSetLine(kOwner, 4, Format("Max Bytes/Packet: %d   %d", thisSecond, host.cycle.largestPayloadEver));
  host.receiver.ResetLargestPayload();
}

void ShowSenderStatistics(HostState& host) {
  const SenderStatistics& s = host.senders;
  host.display.timeUnitLabel = Format("Time Unit: %lu", static_cast<unsigned long>(s.packets[0]));
  for (int n = 1; n <= 4; ++n) {
    const auto i = static_cast<size_t>(n);
    host.display.unitLabels[i - 1] =
        Format("Unit %d: %lu \t%1lu \t%1lu", n, static_cast<unsigned long>(s.packets[i]),
               static_cast<unsigned long>(s.errors[i]), static_cast<unsigned long>(s.gap[i]));
  }
}

}  // namespace

void Timer10msTimer(HostState& host) {
  RefreshPcClock(host.pc, host.clock);
  ReadPcMilliseconds(host);

  const uint32_t packets = host.receiver.Counters().packetsRecognised;
  if (packets != host.cycle.packetCountSeen) {
    host.cycle.packetCountSeen = packets;
    host.stats.StatsSetLine(kOwner, 5, Format("Packet Count: %lu", static_cast<unsigned long>(packets)));
  }

  host.cycle.loops += 1;
  if (host.receiver.ReceiveStep(host.recording.state) == Receiver::kPacket) MarkLinkHealthy(host);
  TriggerPcLogger(host);
  ActOnReplayStop(host);

  WritePendingTerminalOutput(host);
}

void Timer475msTimer(HostState& host) {
  if (host.records.setupReceived) {
    ShowLoggerSetup(host);
    LoggerPortCBChange(host);
  }
  if (host.records.hardwareReceived) ShowReceivedHardware(host);
  if (host.records.statusReceived) DecodeLoggerStatus(host);
  host.caption = Format("ZR Logger Host v%4.2f", HostState::kHostVersion);
  const BadFlashChange flash = ShowBadFlash(host.records);
  if (flash.changed) {
    host.flashPanelVisible = flash.panelVisible;
    host.layoutDirty = true;
  }
}

void Timer1000msTimer(HostState& host) {
  const uint32_t packetsThisSecond = JudgePacketRate(host);
  ShowLoggerPortStatus(host.loggerPort);
  ShowPacketRate(host, packetsThisSecond);
  ShowByteRate(host);
  ShowLostInput(host);
  ShowLargestPayload(host);
  host.stats.StatsSetLine(kOwner, 8, Format("No Data Timer: %03ld", static_cast<long>(host.cycle.noDataTimer)));
  host.stats.StatsSetLine(kOwner, 9, Format("Bad Data Timer: %03ld", static_cast<long>(host.cycle.badDataTimer)));
  CheckLinkHealth(host);
  ShowRecordingStatus(host);
  host.stats.StatsSetLine(kOwner, 6, Format("Mod Errors:  %1lu", static_cast<unsigned long>(host.senders.sequenceErrorTotal)));
  ShowSenderStatistics(host);
  DriveUploads(host.flash);
  host.stats.StatsSetLine(kOwner, 7, Format("Loops: %d ", host.cycle.loops));
  host.cycle.loops = 0;
  ShowDeckPortLabels(host.deckPorts, host.deck, host.ports, host.consumer.deckOutput);
}

}  // namespace ql
