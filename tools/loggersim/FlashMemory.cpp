#include "FlashMemory.h"

#include <algorithm>
#include <iterator>

#include "common/ByteOrder.h"
#include "serial/CommandFrame.h"
#include "serial/SetupChecksum.h"

namespace ql::sim {
namespace {

constexpr uint32_t kAckCancel = 2;
constexpr uint32_t kSecondsPerDay = 86400;

}  // namespace

StoredRun SampledRun(int runNumber, int mode, uint32_t startTime, size_t bytes, int startMillivolts,
                     int endMillivolts, uint64_t seed) {
  SampleRunOptions o;
  o.runNumber = runNumber;
  o.mode = mode;
  o.startTime = startTime;
  o.samples = 0;
  o.atLeastBytes = bytes;
  o.startMillivolts = startMillivolts;
  o.seed = seed;
  SampleRun sample = BuildSampleRun(o);
  sample.summary.finalMillivolts = static_cast<int16_t>(endMillivolts);
  return {std::move(sample.bytes), sample.summary, std::nullopt};
}

Bytes BuildDirectoryPacket(const StoredRun& run, uint32_t listedSize) {
  const RunSummaryFields& s = run.summary;
  Bytes p(FlashMemory::kDirectoryLength, 0);
  p[0] = p[1] = 5;
  PutU16LE(&p[2], static_cast<uint16_t>(s.runNumber));
  PutU16LE(&p[4], static_cast<uint16_t>(s.mode));
  for (size_t i = 0; i < s.deviceType.size(); ++i) PutU16LE(&p[6 + 2 * i], static_cast<uint16_t>(s.deviceType[i]));
  for (size_t i = 0; i < s.analog.size(); ++i) PutU16LE(&p[24 + 2 * (i + 1)], static_cast<uint16_t>(s.analog[i]));
  for (size_t i = 0; i < s.pumps.size(); ++i) PutU16LE(&p[40 + 2 * i], static_cast<uint16_t>(s.pumps[i]));
  PutU32LE(&p[48], s.startTime);
  PutU32LE(&p[52], listedSize);
  PutU16LE(&p[56], static_cast<uint16_t>(s.startMillivolts));
  PutU16LE(&p[58], static_cast<uint16_t>(s.finalMillivolts));
  SealRecord(p.data(), FlashMemory::kDirectoryLength);
  return p;
}

FlashMemory::FlashMemory(int count, size_t bytesEach, uint32_t firstStart, uint64_t seed)
    : defaultCount_(count), defaultBytes_(bytesEach), firstStart_(firstStart), seed_(seed), prng_(seed ^ 0xF1A5u) {}

// ---- the runs ----

std::vector<StoredRun>& FlashMemory::Runs() {
  if (filled_) return runs_;
  // The earlier runs come before any added since.
  filled_ = true;
  std::vector<StoredRun> runs;
  for (int n = 1; n <= defaultCount_; ++n) {
    SampleRunOptions o;
    o.runNumber = n;
    o.mode = n % 2;  // moorings and profiles in turn
    o.startTime = firstStart_ + static_cast<uint32_t>(n - 1) * kSecondsPerDay;
    o.atLeastBytes = defaultBytes_;
    o.seed = seed_ + static_cast<uint64_t>(n);
    SampleRun sample = BuildSampleRun(o);
    runs.push_back({std::move(sample.bytes), sample.summary, std::nullopt});
  }
  runs.insert(runs.end(), std::make_move_iterator(runs_.begin()), std::make_move_iterator(runs_.end()));
  runs_ = std::move(runs);
  return runs_;
}

void FlashMemory::SetRuns(std::vector<StoredRun> runs) {
  filled_ = true;
  runs_ = std::move(runs);
  upload_.reset();
}

void FlashMemory::AddRun(StoredRun run) { runs_.push_back(std::move(run)); }

void FlashMemory::Clear() { SetRuns({}); }

size_t FlashMemory::FileSize(const StoredRun& run) const {
  return run.summary.runNumber == faults_.emptyRun ? 0 : run.bytes.size();
}

// ---- commands ----

bool FlashMemory::Act(const HostMessage& m, int64_t nowMs, const Send& send) {
  switch (m.code) {
    case CmdGetDirectory:
      ListDirectory(send);
      return true;
    case CmdUploadRun:
      StartUpload(m.argB, nowMs, send);
      return true;
    case CmdUploadAck:
      Acknowledged(m, nowMs, send);
      return true;
    default:
      return false;
  }
}

void FlashMemory::ListDirectory(const Send& send) {
  for (const StoredRun& run : Runs()) {
    send(BuildDirectoryPacket(run, run.listedSize.value_or(static_cast<uint32_t>(run.bytes.size()))));
    ++counters_.directoryPackets;
  }
}

void FlashMemory::StartUpload(int runNumber, int64_t nowMs, const Send& send) {
  if (faults_.silentStart && std::find(startsHeard_.begin(), startsHeard_.end(), runNumber) == startsHeard_.end()) {
    startsHeard_.push_back(runNumber);
    ++counters_.startsIgnored;
    return;
  }
  std::vector<StoredRun>& runs = Runs();
  const auto found = std::find_if(runs.begin(), runs.end(),
                                  [runNumber](const StoredRun& r) { return r.summary.runNumber == runNumber; });
  Upload u;
  if (found == runs.end()) {
    u.ending = true;  // no such run: an empty file
  } else {
    u.run = static_cast<size_t>(found - runs.begin());
    u.ending = FileSize(*found) == 0;
  }
  upload_ = u;
  delayed_.clear();
  SendBlock(nowMs, send);
}

void FlashMemory::Acknowledged(const HostMessage& m, int64_t nowMs, const Send& send) {
  if (!upload_ || m.argB != upload_->block) return;  // an answer to a copy already answered
  Upload& u = *upload_;
  if (u.ending) {
    ++counters_.uploadsFinished;
    upload_.reset();
    return;
  }
  if (m.argA == kAckCancel) {
    ++counters_.uploadsCancelled;
    u.ending = true;
  } else {
    const size_t size = FileSize(Runs()[u.run]);
    u.offset = std::min(size, u.offset + static_cast<size_t>(kBlockData));
    u.ending = u.offset >= size;
  }
  ++u.block;
  u.resends = 0;
  SendBlock(nowMs, send);
}

// ---- blocks ----

Bytes FlashMemory::BlockPacket() const {
  const Upload& u = *upload_;
  Bytes p(kBlockLength, 0);
  p[0] = p[1] = 4;
  PutU16LE(&p[2], u.block);
  if (!u.ending) {
    const Bytes& file = runs_[u.run].bytes;
    const size_t count = std::min<size_t>(kBlockData, FileSize(runs_[u.run]) - u.offset);
    PutU16LE(&p[6], static_cast<uint16_t>(count));
    std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(u.offset), count, p.begin() + 8);
  }
  SealRecord(p.data(), kBlockLength);
  return p;
}

void FlashMemory::SendBlock(int64_t nowMs, const Send& send) {
  Upload& u = *upload_;
  u.sentAtMs = nowMs;
  Bytes packet = BlockPacket();
  if (faults_.droppedBlocks > 0 && prng_.Unit() < faults_.droppedBlocks) {
    ++counters_.blocksDropped;
    return;
  }
  if (faults_.delayedBlocks > 0 && prng_.Unit() < faults_.delayedBlocks) {
    ++counters_.blocksDelayed;
    u.sentAtMs = nowMs + faults_.delayMs;
    delayed_.emplace_back(u.sentAtMs, std::move(packet));
    return;
  }
  const bool twice = faults_.repeatedBlocks > 0 && prng_.Unit() < faults_.repeatedBlocks;
  if (twice) {
    ++counters_.blocksRepeated;
    ++counters_.blocksSent;
    send(packet);
  }
  ++counters_.blocksSent;
  send(std::move(packet));
}

void FlashMemory::Advance(int64_t nowMs, const Send& send) {
  while (!delayed_.empty() && delayed_.front().first <= nowMs) {
    ++counters_.blocksSent;
    send(std::move(delayed_.front().second));
    delayed_.erase(delayed_.begin());
  }
  if (!upload_ || !delayed_.empty() || nowMs - upload_->sentAtMs < kResendMs) return;
  if (++upload_->resends > kGiveUpResends) {
    upload_.reset();
    return;
  }
  ++counters_.blocksResent;
  SendBlock(nowMs, send);
}

}  // namespace ql::sim
