#include "LoggerModel.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "LineScrambler.h"
#include "common/Format.h"

namespace ql::sim {
namespace {

constexpr int kEarlierRuns = 3;
constexpr int64_t kEarlierRunBytes = 187'392;
constexpr int kClearMemorySeconds = 3;
constexpr size_t kHeardLimit = 1024;
constexpr double kMaxDataRate = 1000.0;
constexpr int kRecordOverhead = 32;
constexpr int kArchiveFiles = 1;

}  // namespace

LoggerModel::LoggerModel() : LoggerModel(Options{}) {}

LoggerModel::LoggerModel(const Options& options)
    : prng_(options.seed),
      flash_(kEarlierRuns, kEarlierRunBytes, static_cast<uint32_t>(options.clockSeconds - kEarlierRuns * 86400),
             options.seed),
      factory_(options.meterType),
      line_(options.line),
      setup_(SetupRecord::Defaults()),
      dataRate_(std::clamp(options.dataRate, 0.0, kMaxDataRate)),
      clockBaseSeconds_(options.clockSeconds),
      runNumber_(kEarlierRuns),
      loggerId_(options.loggerId),
      firstSender_(std::clamp(options.loggerId, 0, 255)),
      lastSender_(firstSender_),
      storedBytes_(kEarlierRuns * kEarlierRunBytes) {
  setup_.SetHostLine(line_);
  input_.SetBaud(line_.baud);
  if (options.sampling) Begin();
}

// ---- time ----

void LoggerModel::Advance(int milliseconds) {
  const int64_t target = nowMs_ + std::max(milliseconds, 0);
  for (;;) {
    const bool sampling = state_ == kStateSampling && dataRate_ > 0;
    const int64_t dataDue = sampling ? static_cast<int64_t>(std::ceil(nextDataMs_))
                                     : std::numeric_limits<int64_t>::max();
    const int64_t due = std::min(nextStatusMs_, dataDue);
    if (due > target) break;
    nowMs_ = std::max(nowMs_, due);
    if (dataDue <= nextStatusMs_) {
      SampleOnce();
      nextDataMs_ += 1000.0 / dataRate_;
    } else {
      OnSecond();
      nextStatusMs_ += kStatusPeriodMs;
    }
  }
  nowMs_ = target;
  flash_.Advance(nowMs_, [this](Bytes packet) { Send(std::move(packet)); });
  ServeInput();
}

void LoggerModel::ScheduleData() {
  if (dataRate_ > 0) nextDataMs_ = static_cast<double>(nowMs_) + 1000.0 / dataRate_;
}

void LoggerModel::OnSecond() {
  supplyMillivolts_ -= state_ == kStateSampling ? 0.15 : 0.02;
  if (state_ == kStateSleeping && wakeAtSeconds_ >= 0 && LoggerSeconds() >= wakeAtSeconds_) Wake();
  if (state_ == kStateClearMemory && --clearMemorySecondsLeft_ <= 0) state_ = kStateStandby;
  if (PortTestSecond()) return;
  if (state_ == kStateSampling && setup_.Mode() != SetupRecord::kRealTimeMode) {
    // Outside real-time mode the logger counts down each sample period.
    secondsLeft_ = secondsLeft_ > 0 ? secondsLeft_ - 1 : std::max(setup_.SampleSeconds(), 0);
  }
  Send(BuildStatusPacket(Status()));
  if (faults_.badFlash != 0 || faults_.badFlash != lastBadFlashSent_) {
    Send(BuildShortMessage(static_cast<int16_t>(std::clamp(faults_.badFlash, -32768, 32767))));
    lastBadFlashSent_ = faults_.badFlash;
  }
}

// ---- the clock and the line ----

void LoggerModel::SetClock(int64_t hostSeconds) {
  clockBaseSeconds_ = hostSeconds;
  clockBaseMs_ = nowMs_;
}

int64_t LoggerModel::LoggerSeconds() const {
  const int64_t sinceSet = nowMs_ - clockBaseMs_;
  const auto gained = static_cast<int64_t>(std::floor(static_cast<double>(sinceSet) * faults_.driftPerMinute / 60'000.0));
  return clockBaseSeconds_ + sinceSet / 1000 + faults_.driftSeconds + gained;
}

void LoggerModel::SetLine(const LineParams& line) {
  line_ = line;
  setup_.SetHostLine(line);
  input_.SetBaud(line.baud);
}

bool LoggerModel::Understands(const LineParams& hostLine) const {
  return !faults_.wrongSpeed && LinesAgree(hostLine, line_);
}

void LoggerModel::SetDataRate(double perSecond) {
  dataRate_ = std::isfinite(perSecond) ? std::clamp(perSecond, 0.0, kMaxDataRate) : 0.0;
  ScheduleData();
}

void LoggerModel::SetSenders(int first, int last) {
  first = std::clamp(first, 0, 255);
  last = std::clamp(last, 0, 255);
  firstSender_ = std::min(first, last);
  lastSender_ = std::max(first, last);
  nextSenderIndex_ = 0;
}

// ---- what it hears ----

void LoggerModel::Receive(const uint8_t* bytes, int count) {
  EchoToHost(bytes, count);
  input_.Feed(bytes, count, nowMs_);
  ServeInput();
}

void LoggerModel::ServeInput() {
  for (HostMessage& message : input_.Take(nowMs_)) {
    Act(message);
    if (heard_.size() >= kHeardLimit) heard_.erase(heard_.begin());
    heard_.push_back(std::move(message));
  }
}

void LoggerModel::Act(const HostMessage& message) {
  if (PassedThrough(message)) return;
  switch (message.kind) {
    case HostMessage::Kind::Command:
      ActOnCommand(message);
      break;
    case HostMessage::Kind::Setup:
      AcceptSetup(SetupRecord::FromBytes(message.bytes.data()));
      break;
    case HostMessage::Kind::Record:
      if (message.code == PortTestMode::kMarker) {
        EnterPortTest(message);
      } else {
        factory_.Take(message.bytes);
      }
      break;
    case HostMessage::Kind::Text:
      if (message.text == "WAKE") {
        Wake();
      } else if (message.text == "SLEEP") {
        Sleep(-1);
      } else {
        Stop();  // "STOP7E1" and "BREAK"
      }
      break;
  }
}

void LoggerModel::ActOnCommand(const HostMessage& m) {
  switch (m.code) {
    case CmdStop:
      Stop();
      break;
    case CmdBeginSample:
      Begin();
      break;
    case CmdSetLoggerId:
      loggerId_ = m.argB;
      if (firstSender_ == lastSender_) firstSender_ = lastSender_ = std::min(loggerId_, 255);
      break;
    case CmdSleepUntil:
      Sleep(m.argA);
      break;
    case CmdGetSetup:
      Send(Bytes(setup_.Bytes().begin(), setup_.Bytes().end()));
      break;
    case CmdSetTime:
      SetClock(m.argA);
      faults_.driftSeconds = 0;
      break;
    case CmdLoadDefaultSetup: {
      Stop();
      SetupRecord defaults = SetupRecord::Defaults();
      defaults.SetHostLine(line_);  // the host port keeps the speed the host talks at
      AcceptSetup(defaults);
      break;
    }
    case CmdGetHardware:
      Send(factory_.HardwarePacket());
      break;
    case CmdGetAnalogCal:
      Send(factory_.AnalogPacket());
      break;
    case CmdLoadDefaults:
      factory_.LoadDefaults();
      rs422_ = false;
      break;
    case CmdSelectRs232:
      rs422_ = false;
      break;
    case CmdSelectRs422:
      rs422_ = true;
      break;
    case CmdClearFlash:
      if (state_ == kStateSampling) endMillivolts_ = static_cast<int>(supplyMillivolts_);
      state_ = kStateClearMemory;
      clearMemorySecondsLeft_ = kClearMemorySeconds;
      storedBytes_ = 0;
      runFileBytes_ = {};
      flash_.Clear();
      break;
    default:
      // Directory and upload requests.
      flash_.Act(m, nowMs_, [this](Bytes packet) { Send(std::move(packet)); });
      break;
  }
}

void LoggerModel::AcceptSetup(const SetupRecord& setup) {
  setup_ = setup;
  LineParams line;
  if (setup_.HostLine(line) && !LinesAgree(line, line_)) {
    line_ = line;
    input_.SetBaud(line.baud);
  }
  if (state_ == kStateSampling) {
    secondsLeft_ = 0;
    ScheduleData();
  }
}

// ---- states ----

void LoggerModel::Begin() {
  if (state_ == kStateSampling) return;
  storedBytes_ += RunBytes();
  runFileBytes_ = {};
  ++runNumber_;
  runStartSeconds_ = LoggerSeconds();
  startMillivolts_ = static_cast<int>(supplyMillivolts_);
  endMillivolts_ = 0;
  secondsLeft_ = 0;
  wakeAtSeconds_ = -1;
  state_ = kStateSampling;
  ScheduleData();
}

void LoggerModel::Stop() {
  if (state_ == kStateStandby) return;
  if (state_ == kStateSampling) {
    endMillivolts_ = static_cast<int>(supplyMillivolts_);
    flash_.AddRun(SampledRun(runNumber_, setup_.Mode(), static_cast<uint32_t>(runStartSeconds_),
                             static_cast<size_t>(RunBytes()), startMillivolts_, endMillivolts_, static_cast<uint64_t>(runNumber_)));
  }
  state_ = kStateStandby;
  wakeAtSeconds_ = -1;
  secondsLeft_ = 0;
}

void LoggerModel::Sleep(int64_t wakeAt) {
  if (state_ != kStateSleeping) stateBeforeSleep_ = state_;
  state_ = kStateSleeping;
  wakeAtSeconds_ = wakeAt;
}

void LoggerModel::Wake() {
  if (state_ != kStateSleeping) return;
  state_ = stateBeforeSleep_;
  wakeAtSeconds_ = -1;
  if (state_ == kStateSampling) ScheduleData();
}

bool LoggerModel::Streaming() const {
  return state_ == kStateSampling && setup_.Mode() == SetupRecord::kRealTimeMode && dataRate_ > 0;
}

// ---- what it says ----

uint32_t LoggerModel::Firmware() const {
  return faults_.oldFirmware ? FirmwareWord(6, 95, 11, 20, 19) : FirmwareWord(7, 12, 3, 14, 25);
}

int64_t LoggerModel::RunBytes() const {
  int64_t total = 0;
  for (size_t i = 1; i < runFileBytes_.size(); ++i) total += runFileBytes_[i];
  return total;
}

StatusFields LoggerModel::Status() const {
  const bool sampling = state_ == kStateSampling;
  const double t = static_cast<double>(nowMs_) / 1000.0;
  StatusFields s;
  s.state = static_cast<int16_t>(state_);
  s.runNumber = static_cast<int16_t>(runNumber_);
  s.loggerSeconds = static_cast<int32_t>(LoggerSeconds());
  if (state_ == kStateClearMemory) {
    s.secondsLeft = static_cast<uint32_t>(std::max(clearMemorySecondsLeft_, 0));
  } else if (state_ == kStateSleeping && wakeAtSeconds_ >= 0) {
    s.secondsLeft = static_cast<uint32_t>(std::max<int64_t>(wakeAtSeconds_ - LoggerSeconds(), 0));
  } else if (sampling) {
    s.secondsLeft = static_cast<uint32_t>(secondsLeft_);
  }
  s.meterType = static_cast<int16_t>(factory_.MeterType());
  s.loggerId = static_cast<int16_t>(loggerId_);
  s.serialMask = static_cast<uint16_t>(0x00FF | (rs422_ ? 0x0100 : 0));
  s.analogMask = 0x7F;
  s.pumpMask = 0x0F;
  for (int port = 1; port <= 8; ++port) {
    if (!sampling || !setup_.PortActive(port)) continue;
    s.portRate[static_cast<size_t>(port)] =
        static_cast<int16_t>(std::lround(portBytesPerSample_[static_cast<size_t>(port - 1)] * dataRate_));
    s.powerBits = static_cast<uint16_t>(s.powerBits | (1u << (port - 1)));
  }
  s.currentMillivolts = static_cast<int16_t>(std::lround(supplyMillivolts_ + 6 * std::sin(t / 7.0)));
  s.startMillivolts = static_cast<int16_t>(startMillivolts_);
  s.endMillivolts = static_cast<int16_t>(endMillivolts_);
  for (int c = 1; c <= 7; ++c) {
    s.analogMillivolts[static_cast<size_t>(c)] =
        static_cast<int16_t>(std::lround(1000 + 350 * c + 120 * std::sin(t / 20.0 + c)));
  }
  for (size_t i = 1; i <= 10; ++i) s.fileBytes[i] = static_cast<uint32_t>(runFileBytes_[i]);
  s.fileBytes[11] = static_cast<uint32_t>(std::max<int64_t>(kFlashBytes - storedBytes_ - RunBytes(), 0));
  s.fileBytes[12] = kFlashBytes;
  s.fileBytes[13] = Firmware();
  return s;
}

void LoggerModel::SampleOnce() {
  ++samples_;
  std::array<std::string, 9> sources;
  for (int port = 1; port <= 8; ++port) {
    if (setup_.PortActive(port)) sources[static_cast<size_t>(port - 1)] = PortText(port);
  }
  sources[8] = AnalogBytes();
  const bool stored = setup_.FileFormat() == kArchiveFiles;
  for (size_t k = 0; k < sources.size(); ++k) {
    portBytesPerSample_[k] = static_cast<int>(sources[k].size());
    if (stored) runFileBytes_[k + 1] += static_cast<int64_t>(sources[k].size());
  }
  if (stored) runFileBytes_[10] += kRecordOverhead;
  if (setup_.Mode() != SetupRecord::kRealTimeMode) return;

  const int sender = firstSender_ + nextSenderIndex_;
  nextSenderIndex_ = (nextSenderIndex_ + 1) % (lastSender_ - firstSender_ + 1);
  ++recordsSent_;
  if (faults_.gaps && recordsSent_ % kGapEvery == 0) ++nextSequence_[static_cast<size_t>(sender)];

  DataRecordFields record;
  record.time = static_cast<uint32_t>(LoggerSeconds());
  record.sources = mixedInstruments_ ? mix_.Sample(sender, samples_, prng_) : sources;
  record.sender = static_cast<uint8_t>(sender);
  record.sequence = nextSequence_[static_cast<size_t>(sender)]++;
  const Bytes packet = BuildDataPacket(record);
  Send(packet);
  if (faults_.duplicates && recordsSent_ % kDuplicateEvery == 0) Send(packet);

  if (faults_.highSenders && recordsSent_ % kHighSenderEvery == 0) {
    const int high = 5 + highSenderTurn_++ % 4;
    record.sender = static_cast<uint8_t>(high);
    record.sequence = nextSequence_[static_cast<size_t>(high)]++;
    Send(BuildDataPacket(record));
  }
}

std::string LoggerModel::PortText(int port) {
  const double s = static_cast<double>(samples_);
  const double wobble = (prng_.Unit() - 0.5) * 0.002;
  if (port == 1) {
    // A CTD's line: temperature, conductivity, pressure.
    return Format("T=%6.3f C=%5.2f P=%5.1f\r\n", 12.3 + 1.5 * std::sin(s / 40.0) + wobble,
                  35.0 + 0.4 * std::sin(s / 55.0), 100.0 + 8.0 * std::sin(s / 25.0));
  }
  return Format("P%d %06lld %7.3f\r\n", port, static_cast<long long>(samples_),
                port + std::sin(s / 30.0) + wobble);
}

std::string LoggerModel::AnalogBytes() {
  const StatusFields now = Status();
  std::string bytes;
  for (int c = 1; c <= 7; ++c) {
    if (setup_.AnalogSetting(c) == 0) continue;
    const int mv = now.analogMillivolts[static_cast<size_t>(c)] + prng_.Between(-2, 2);
    bytes.push_back(static_cast<char>((mv >> 8) & 0xFF));
    bytes.push_back(static_cast<char>(mv & 0xFF));
  }
  return bytes;
}

void LoggerModel::Send(Bytes packet) {
  if (faults_.silent) {
    counters_.silencedBytes += static_cast<int64_t>(packet.size());
    return;
  }
  const bool broken = faults_.badChecksums > 0 && prng_.Unit() < faults_.badChecksums;
  if (broken) {
    packet[packet.size() - 2] ^= 0x5A;
    ++counters_.badChecksums;
  }
  if (sentTap_) sentTap_(packet, !broken);
  switch (packet[0]) {
    case 1: ++counters_.setupPackets; break;
    case 2: ++counters_.shortMessages; break;
    case 3: ++counters_.statusPackets; break;
    case 8: ++counters_.dataPackets; break;
    default: break;
  }
  output_.insert(output_.end(), packet.begin(), packet.end());
  counters_.packetBytes += static_cast<int64_t>(packet.size());
  AddNoise(packet.size());
  AddTypeBurst();
  if (output_.size() > kOutputLimit) {
    // Nobody is reading: what the line could not carry is lost.
    output_.erase(output_.begin(), output_.end() - static_cast<std::ptrdiff_t>(kOutputLimit));
  }
}

void LoggerModel::AddNoise(size_t packetLength) {
  if (!(faults_.noise > 0)) return;
  noiseCredit_ += faults_.noise * static_cast<double>(packetLength);
  const int count = static_cast<int>(noiseCredit_);
  noiseCredit_ -= count;
  for (int i = 0; i < count; ++i) output_.push_back(prng_.Byte());
  counters_.noiseBytes += count;
}

void LoggerModel::AddTypeBurst() {
  if (faults_.typeBursts <= 0 || ++packetsSinceBurst_ < kBurstEvery) return;
  packetsSinceBurst_ = 0;
  output_.insert(output_.end(), static_cast<size_t>(faults_.typeBursts), uint8_t{8});
  counters_.burstBytes += faults_.typeBursts;
}

std::vector<uint8_t> LoggerModel::TakeOutput() {
  std::vector<uint8_t> out;
  out.swap(output_);
  return out;
}

}  // namespace ql::sim
