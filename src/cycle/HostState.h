#pragma once

#include <cstdint>
#include <string>

#include "LoggerPortControls.h"
#include "PcClock.h"
#include "SetupPageState.h"
#include "StatsBoard.h"
#include "TerminalWriter.h"
#include "archive/Recording.h"
#include "flash/ExtractionMemory.h"
#include "flash/FlashState.h"
#include "deck/DeckPorts.h"
#include "link/DataRecordConsumer.h"
#include "link/DeckConfig.h"
#include "link/Dispatcher.h"
#include "link/LoggerRecords.h"
#include "link/RealTimeDisplay.h"
#include "link/Receiver.h"
#include "link/SenderStatistics.h"
#include "loggertools/ClockSync.h"
#include "plot/PlotState.h"
#include "plot/StatusLog.h"
#include "serial/CommandSender.h"
#include "serial/PortTable.h"
#include "setup/FactorySettings.h"

namespace ql {

class Clock;
class Operator;

// Counters and timers of the main cycle.
struct CycleState {
  int noDataTimer = 15;   // counts down each second without a byte; 2 after any byte
  int badDataTimer = 20;  // counts down each second without a packet; 3 after any packet
  int loops = 0;          // fast ticks since the last one-second tick
  uint32_t lastPacketCount = 0;
  uint32_t lastByteCount = 0;
  uint32_t packetCountSeen = 0;  // packets-recognised count at the previous fast tick
  int largestPayloadEver = 0;
};

// The one host: every record, flag and table the handlers share. The window holds one
// and mirrors its state into controls; tests build as many as they like.
class HostState {
 public:
  static constexpr double kHostVersion = 7.06;

  HostState(SerialDeviceFactory deviceFactory, Clock& clock, Operator& op);
  HostState(const HostState&) = delete;
  HostState& operator=(const HostState&) = delete;

  Clock& clock;
  Operator& op;
  PortTable ports;
  CommandSender sender;
  SenderStatistics senders;
  LoggerRecords records;
  DeckConfig deck;
  DeckPorts deckPorts;  // the PC-Logger page
  RealTimeDisplay display;
  Receiver receiver;
  Dispatcher dispatcher;
  DataRecordConsumer consumer;
  CycleState cycle;
  LoggerPortControls loggerPort;
  PcClock pc;
  TerminalWriter terminal;
  StatsBoard stats;
  SetupPageState setupPage;
  FactorySettings factory;  // hardware configuration and analog calibration pages
  StatusMemory statusMemory;
  ClockSync clockSync;  // the clock items of the Commands menu
  PendingDisplay pending;
  PlotState plot;
  StatusLog statusLog;  // <archive>.status.csv while recording
  // BTClearMemory and BTGetDirectory name the logger model once a status has named it.
  MeterCaptions uploadCaptions{"Clear Logger Memory", "Get Logger Directory"};
  FlashState flash;  // the run directory and the upload
  ExtractionMemory extraction;  // what run extraction carries from one run file to the next
  int hostMode = -1;  // the host mode the last display change applied
  Recording recording;  // recording, replay, the PC logger and the water-sample marks
  std::string caption = "ZR Logger Host v7";
  // Set when a member of the left-hand column was shown or hidden; the window lays the
  // column out again and clears it.
  bool layoutDirty = false;
  bool flashPanelVisible = false;  // FlashPanel "Bad Flash Operations"
  bool debugFile = false;          // "Write Debug File": run extraction keeps a log

 private:
  void WireReceiver();
};

}  // namespace ql
