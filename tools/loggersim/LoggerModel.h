#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "FactoryStore.h"
#include "Faults.h"
#include "FlashMemory.h"
#include "HostInput.h"
#include "LoggerPackets.h"
#include "PortTestMode.h"
#include "Prng.h"
#include "RealTimeMix.h"
#include "SetupRecord.h"
#include "serial/SerialDevice.h"

namespace ql::sim {

// The QL-9 logger as the host sees it through its port: status once a second,
// real-time data packets while sampling in real-time mode, answers to the command
// frames, records and text commands the host sends. Nothing happens by itself: the
// caller moves its time with Advance, hands it the host's bytes with Receive and takes
// what it has sent with TakeOutput. The same seed gives the same bytes.
class LoggerModel {
 public:
  struct Options {
    int64_t clockSeconds = 1'765'000'000;  // logger clock at start, in host seconds
    uint64_t seed = 1;
    LineParams line{};                     // its host port: 9600,N,8,1
    int loggerId = 2;
    int meterType = 2;  // QL-9
    double dataRate = 2.0;  // data packets per second
    bool sampling = true;   // starts sampling (the default setup is real-time mode)
  };

  static constexpr int kStatusPeriodMs = 1000;
  static constexpr uint32_t kFlashBytes = 64u << 20;
  static constexpr size_t kOutputLimit = 1u << 20;

  // What it has sent, counted from the start.
  struct Counters {
    int statusPackets = 0;
    int dataPackets = 0;      // data packets put on the line, copies included
    int shortMessages = 0;
    int setupPackets = 0;
    int badChecksums = 0;     // packets sent with a wrong checksum
    int64_t packetBytes = 0;  // bytes of packets put on the line
    int64_t noiseBytes = 0;
    int64_t burstBytes = 0;  // 0x08 bytes of the type bursts
    int64_t silencedBytes = 0;  // bytes it would have sent while silent
  };

  LoggerModel();
  explicit LoggerModel(const Options& options);

  // Moves its time on, queueing the status, data and short messages that fall due.
  void Advance(int milliseconds);
  // Bytes from the host; complete commands are acted on at once.
  void Receive(const uint8_t* bytes, int count);
  // Everything sent since the last call.
  std::vector<uint8_t> TakeOutput();

  // The clock, in host seconds (local wall-clock seconds since 1970 as if UTC).
  void SetClock(int64_t hostSeconds);
  int64_t LoggerSeconds() const;
  // Milliseconds this model has run.
  int64_t ElapsedMs() const { return nowMs_; }

  // The line setting its host port works at; it also becomes entry 0 of the setup.
  const LineParams& Line() const { return line_; }
  void SetLine(const LineParams& line);
  // True when a host at `hostLine` and this logger understand each other.
  bool Understands(const LineParams& hostLine) const;

  // Sees every packet as it goes on the line, and whether its checksum was left intact.
  void SetSentTap(std::function<void(const Bytes& packet, bool intact)> tap) { sentTap_ = std::move(tap); }

  Faults& faults() { return faults_; }
  const Faults& faults() const { return faults_; }
  // The runs in its flash, their directory and upload, and the upload's faults.
  const FactoryStore& factory() const { return factory_; }
  FlashMemory& flash() { return flash_; }
  const FlashMemory& flash() const { return flash_; }

  // Data packets per second while streaming (0 sends none).
  void SetDataRate(double perSecond);
  double DataRate() const { return dataRate_; }
  // Data comes from the sender IDs first..last in turn, each with its own sequence.
  void SetSenders(int first, int last);
  int FirstSender() const { return firstSender_; }
  // Each sender's own instruments (text, binary and analog) instead of plain port lines.
  void SetMixedInstruments(bool on) { mixedInstruments_ = on; }
  bool MixedInstruments() const { return mixedInstruments_; }
  int LastSender() const { return lastSender_; }

  // What the host's commands do, for the program's own commands as well.
  void Begin();
  void Stop();

  int State() const { return state_; }
  int RunNumber() const { return runNumber_; }
  int LoggerId() const { return loggerId_; }
  bool Rs422() const { return rs422_; }
  // The port test: which port is passed through to the host link, and at what lines.
  const PortTestMode& PortTest() const { return portTest_; }
  bool Streaming() const;
  const SetupRecord& Setup() const { return setup_; }
  // Firmware word of the status, 7.12 (or 6.95 with the old-firmware fault).
  uint32_t Firmware() const;
  // The status it would send now.
  StatusFields Status() const;

  const Counters& counters() const { return counters_; }
  // Every frame, record and text command it has understood, in order.
  const std::vector<HostMessage>& Heard() const { return heard_; }
  // Host records that started right and failed their checksum.
  int RejectedRecords() const { return input_.Rejected(); }

 private:
  void OnSecond();
  void SampleOnce();
  void ScheduleData();
  void ServeInput();
  void Act(const HostMessage& message);
  void ActOnCommand(const HostMessage& message);
  void AcceptSetup(const SetupRecord& setup);
  void Sleep(int64_t wakeAt);
  void Wake();
  void SendDataRecord(int sender, bool extra);
  // The port test (LoggerPortTest.cpp).
  void EnterPortTest(const HostMessage& record);
  bool PassedThrough(const HostMessage& message);  // true: it went to the instrument
  void EchoToHost(const uint8_t* bytes, int count);
  bool PortTestSecond();  // true: the second belonged to the instrument
  void SendRaw(const std::string& text);
  void Send(Bytes packet);
  void AddNoise(size_t packetLength);
  void AddTypeBurst();
  std::string PortText(int port);
  std::string AnalogBytes();
  int64_t RunBytes() const;

  std::function<void(const Bytes&, bool)> sentTap_;
  Prng prng_;
  Faults faults_;
  FlashMemory flash_;
  FactoryStore factory_;
  LineParams line_;
  SetupRecord setup_;
  HostInput input_;
  PortTestMode portTest_;
  std::vector<uint8_t> output_;
  std::vector<HostMessage> heard_;
  Counters counters_;

  int64_t nowMs_ = 0;
  int64_t nextStatusMs_ = kStatusPeriodMs;
  double nextDataMs_ = 0;
  double dataRate_ = 2.0;

  int64_t clockBaseSeconds_ = 0;  // clock reading at clockBaseMs_
  int64_t clockBaseMs_ = 0;

  int state_ = kStateStandby;
  int stateBeforeSleep_ = kStateStandby;
  int64_t wakeAtSeconds_ = -1;  // -1: sleeps until told to wake
  int clearMemorySecondsLeft_ = 0;
  int secondsLeft_ = 0;
  int runNumber_ = 0;
  int64_t runStartSeconds_ = 0;
  int loggerId_ = 2;
  bool rs422_ = false;
  int firstSender_ = 2;
  int lastSender_ = 2;
  int nextSenderIndex_ = 0;
  int highSenderTurn_ = 0;
  std::array<uint8_t, 256> nextSequence_{};
  int64_t recordsSent_ = 0;  // records of the regular senders, for the fault rhythms
  int lastBadFlashSent_ = 0;
  double noiseCredit_ = 0;
  int packetsSinceBurst_ = 0;

  // The physics behind the numbers.
  double supplyMillivolts_ = 12480;
  int startMillivolts_ = 0;
  int endMillivolts_ = 0;
  int64_t samples_ = 0;
  std::array<int64_t, 11> runFileBytes_{};  // 1..8 ports, 9 analog, 10 record overhead
  int64_t storedBytes_ = 0;                  // earlier runs in flash
  std::array<int, 9> portBytesPerSample_{};  // last sample's bytes per source
  RealTimeMix mix_;
  bool mixedInstruments_ = false;
};

}  // namespace ql::sim
