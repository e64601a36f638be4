#include "RecorderWeek.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <vector>

#include "archive/ArchiveRecord.h"
#include "archive/RecordState.h"
#include "common/ByteOrder.h"
#include "common/Format.h"
#include "headless/JobDriver.h"
#include "headless/RecordJob.h"
#include "loggersim/SimulatedSerialDevice.h"
#include "science/ArchiveRecords.h"

namespace ql::soak {
namespace {

namespace fs = std::filesystem;
constexpr int64_t kTickMs = 5;
constexpr int64_t kHourMs = 3'600'000;
constexpr int64_t kPullMs = 120'000;
constexpr int64_t kFullMs = 180'000;
constexpr int64_t kSettleMs = 3000;  // around a pull, a record may go either way
constexpr int kSpans = 7;             // a pull in each, a full disk in every other
// 1 March 2026, 00:00 UTC.
constexpr int64_t kWeekStartUtc = 1'772'323'200;

sim::LoggerModel::Options Options(uint64_t seed) {
  sim::LoggerModel::Options o;
  o.clockSeconds = kWeekStartUtc;
  o.seed = seed;
  return o;
}

}  // namespace

RecorderWeek::RecorderWeek(double hours, uint64_t seed, Checks& checks)
    : hours_(hours),
      checks_(checks),
      logger_(std::make_shared<sim::LoggerModel>(Options(seed))),
      host_(sim::SimulatedFactory(logger_), clock_),
      ledger_(10'000) {
  clock_.SetUtc(kWeekStartUtc);
  logger_->SetSenders(1, 2);
  logger_->SetSentTap([this](const sim::Bytes& p, bool intact) { OnSent(p, intact); });
  folder_ = fs::temp_directory_path() / ("ql9-soak-recorder-" + std::to_string(getpid()));
  fs::remove_all(folder_);
  fs::create_directories(folder_);
  // A file-size limit fails a write as a full disk does, instead of ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
}

RecorderWeek::~RecorderWeek() {
  SetDiskFull(false);
  fs::remove_all(folder_);
}

void RecorderWeek::Run() {
  std::printf("The unattended recorder, %.0f simulated hours:\n", hours_);
  const auto wallStart = std::chrono::steady_clock::now();
  PortChoice choice;
  choice.device = "/dev/simulated";
  std::string error;
  if (!host_.Open(choice, error)) {
    checks_.Check(false, "the recorder opens its port: " + error);
    return;
  }
  RecordRequest request;
  request.state = kRecordHourly;
  request.name = (folder_ / "station").string();
  RecordJob job(request, [this](const std::string& line) { Tell(line); });
  JobDriver driver(host_, job, [this](const std::string& line) { Tell(line); });
  driver_ = &driver;
  Step();  // the job starts, and puts its counters round the writer

  int64_t written = 0, refused = 0, refusedOutsideSpells = 0;
  Digest writtenDigest;
  auto write = host_.State().consumer.hooks().archive;
  host_.State().consumer.hooks().archive = [&, write](const uint8_t* record, int length, int state) {
    const bool ok = write(record, length, state);
    if (ok) {
      ++written;
      writtenDigest.Add(record, static_cast<size_t>(length));
    } else {
      ++refused;
      refusedOutsideSpells += !diskFull_ && nowMs_ - lastChangeMs_ >= kSettleMs;
    }
    return ok;
  };
  auto accept = host_.State().consumer.hooks().accepted;
  host_.State().consumer.hooks().accepted = [this, accept](const uint8_t* record) {
    if (accept) accept(record);
    ++accepted_;
    ledger_.Accepted({record[archive::kSender], record[archive::kSequence], GetU32LE(record + archive::kTime)}, nowMs_);
  };

  const auto total = static_cast<int64_t>(hours_ * kHourMs);
  const int64_t spanMs = std::max<int64_t>(total / kSpans, 2 * (kPullMs + kFullMs));
  while (nowMs_ < total && !driver.Finished()) {
    const int64_t inSpan = nowMs_ % spanMs;
    const bool fullSpan = nowMs_ / spanMs % 2 == 1;
    if (inSpan == spanMs * 3 / 10) SetAdapterOut(true);
    if (inSpan == spanMs * 3 / 10 + kPullMs) SetAdapterOut(false);
    if (fullSpan && inSpan == spanMs * 7 / 10) SetDiskFull(true);
    if (fullSpan && inSpan == spanMs * 7 / 10 + kFullMs) SetDiskFull(false);
    Step();
    if (nowMs_ == kHourMs) residentStartKb_ = MemoryKb();
  }
  residentEndKb_ = MemoryKb();
  driver.Interrupt();  // SIGTERM
  driver_ = nullptr;
  const double wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
  ledger_.Settle(nowMs_ + 1'000'000);
  Judge(written, refused, refusedOutsideSpells, writtenDigest);
  std::printf("figure: %.0f simulated hours of recording in %.1f s\n", hours_, wallSeconds);
}

void RecorderWeek::Step() {
  nowMs_ += kTickMs;
  logger_->Advance(static_cast<int>(kTickMs));
  clock_.AdvanceMs(kTickMs);
  driver_->FastTick();
  if (nowMs_ % 1000 == 0) {
    driver_->SecondTick();
    ledger_.Settle(nowMs_);
  }
  if (host_.PortOpen() != portOpen_) {
    portOpen_ = host_.PortOpen();
    lastChangeMs_ = nowMs_;
  }
}

void RecorderWeek::SetAdapterOut(bool out) {
  logger_->faults().adapterOut = out;
  lastChangeMs_ = nowMs_;
  pulls_ += out ? 1 : 0;
}

// The soft file-size limit may go down to a byte and back up to the hard one without
// privileges: the disk fills and empties again. What the soak prints is sent first.
void RecorderWeek::SetDiskFull(bool full) {
  if (full == diskFull_) return;
  std::fflush(stdout);
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = full ? 1 : limit.rlim_max;
  setrlimit(RLIMIT_FSIZE, &limit);
  diskFull_ = full;
  lastChangeMs_ = nowMs_;
  fullSpells_ += full ? 1 : 0;
}

void RecorderWeek::OnSent(const sim::Bytes& packet, bool intact) {
  if (packet.size() < 12 || packet[0] != 8) return;
  ++sent_;
  DeliveryLedger::Fate fate = DeliveryLedger::Fate::Readable;
  if (!intact || logger_->faults().adapterOut || !host_.PortOpen()) {
    fate = DeliveryLedger::Fate::Lost;
  } else if (nowMs_ - lastChangeMs_ < kSettleMs) {
    fate = DeliveryLedger::Fate::Uncertain;
  }
  ledger_.Sent({packet[4], packet[5], GetU32BE(packet.data() + 8)}, fate, nowMs_);
}

void RecorderWeek::Tell(const std::string& line) {
  const auto starts = [&line](const char* text) { return line.rfind(text, 0) == 0; };
  if (starts("link lost")) {
    ++told_.lost;
  } else if (starts("link back")) {
    ++told_.back;
  } else if (line.find("Unable to Write Archive File") != std::string::npos) {
    ++told_.diskFull;
  } else if (starts("writing again")) {
    ++told_.writingAgain;
  } else if (starts("file opened")) {
    ++told_.filesOpened;
  } else if (!starts("started") && !starts("stopped") && line.find("status log") == std::string::npos) {
    ++told_.other;
    std::printf("told: %s\n", line.c_str());
  }
}

void RecorderWeek::Judge(int64_t written, int64_t refused, int64_t refusedOutsideSpells, const Digest& writtenDigest) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder_)) {
    if (entry.path().extension() != ".csv") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  Digest recorded;
  uint64_t records = 0;
  bool whole = true;
  for (const fs::path& file : files) {
    const ArchiveReading reading = ReadArchiveRecords(file, [](const SourceRecord&) {});
    whole = whole && !reading.Damaged();
    records += reading.records;
    std::ifstream in(file, std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    recorded.Add(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
  const DeliveryLedger::Verdict& v = ledger_.Judged();
  std::printf("figure: %lld records sent, %lld accepted, %llu recorded in %zu hourly files, %lld refused by the full disk\n",
              static_cast<long long>(sent_), static_cast<long long>(accepted_), static_cast<unsigned long long>(records),
              files.size(), static_cast<long long>(refused));
  std::printf("figure: %s %ld KB after the first hour, %ld KB at the end\n", kMemoryMeasured, residentStartKb_,
              residentEndKb_);
  checks_.Check(pulls_ >= kSpans && fullSpells_ >= kSpans / 2 && told_.lost == pulls_ && told_.back == pulls_,
                Format("%d cable pulls, each told once as lost and once as back (%d, %d)", pulls_, told_.lost, told_.back));
  checks_.Check(told_.diskFull == fullSpells_ && told_.writingAgain == fullSpells_ && told_.other == 0,
                Format("%d full disks, each told once and its end once (%d, %d)", fullSpells_, told_.diskFull,
                       told_.writingAgain));
  checks_.Check(v.expected > 0 && v.missing == 0 && v.repeated == 0 && v.outOfOrder == 0,
                Format("every record that reached the host accepted once, in order (%lld missing, %lld twice, %lld out of order)",
                       static_cast<long long>(v.missing), static_cast<long long>(v.repeated),
                       static_cast<long long>(v.outOfOrder)));
  checks_.Check(written + refused == accepted_ && refused > 0 && refusedOutsideSpells == 0,
                Format("every accepted record recorded but those the full disk refused (%lld outside its spells)",
                       static_cast<long long>(refusedOutsideSpells)));
  checks_.Check(whole && static_cast<int64_t>(records) == written && recorded.value == writtenDigest.value &&
                    recorded.bytes == writtenDigest.bytes,
                Format("the hourly files hold each written record once, in order, whole (%llu records)",
                       static_cast<unsigned long long>(records)));
  const auto hoursTouched = static_cast<size_t>((nowMs_ + kHourMs - 1) / kHourMs);
  checks_.Check(files.size() == hoursTouched, Format("%zu hourly files for %zu hours", files.size(), hoursTouched));
  checks_.Check(residentStartKb_ == 0 || residentEndKb_ - residentStartKb_ < 4 * 1024,
                Format("%s grew %ld KB", kMemoryMeasured, residentEndKb_ - residentStartKb_));
}

}  // namespace ql::soak
