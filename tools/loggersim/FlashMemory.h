#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "HostInput.h"
#include "Prng.h"
#include "RunFileBuilder.h"

namespace ql::sim {

// A run the logger holds: its run file and the figures its directory entry reports.
struct StoredRun {
  Bytes bytes;
  RunSummaryFields summary;            // run number, mode, ports, start time, voltages
  std::optional<uint32_t> listedSize;  // what the directory says, when not the file's size
};

// How the upload misbehaves. All off by default.
struct FlashFaults {
  double droppedBlocks = 0.0;   // share of blocks lost on the way to the host
  double repeatedBlocks = 0.0;  // share of blocks that go out twice
  double delayedBlocks = 0.0;   // share of blocks held back for delayMs
  int delayMs = 2000;
  bool silentStart = false;  // the first start request of each run goes unanswered
  int emptyRun = -1;         // this run uploads as an empty file; its directory entry keeps its size
};

// The logger's flash memory: the runs it lists on CmdGetDirectory and sends block by
// block on CmdUploadRun. A block waits for its acknowledgement and goes out again when
// none comes; an acknowledgement asking to cancel ends the file with the empty block.
class FlashMemory {
 public:
  static constexpr int kBlockData = 1026;
  static constexpr int kBlockLength = 1036;
  static constexpr int kDirectoryLength = 64;
  static constexpr int kResendMs = 2000;   // an unacknowledged block goes out again after this
  static constexpr int kGiveUpResends = 10;  // ... this many times, then the upload is dropped

  using Send = std::function<void(Bytes)>;

  struct Counters {
    int directoryPackets = 0;
    int blocksSent = 0;  // blocks that reached the line, copies included
    int blocksDropped = 0;
    int blocksRepeated = 0;
    int blocksDelayed = 0;
    int blocksResent = 0;
    int startsIgnored = 0;
    int uploadsCancelled = 0;
    int uploadsFinished = 0;
  };

  // The runs it holds until told otherwise: `count` runs numbered 1.., each a sample run
  // of about `bytesEach` bytes; built the first time they are needed.
  FlashMemory(int count, size_t bytesEach, uint32_t firstStart, uint64_t seed);

  std::vector<StoredRun>& Runs();
  void SetRuns(std::vector<StoredRun> runs);
  void AddRun(StoredRun run);
  void Clear();

  FlashFaults& faults() { return faults_; }
  const FlashFaults& faults() const { return faults_; }
  const Counters& counters() const { return counters_; }
  bool Uploading() const { return upload_.has_value(); }

  // Directory and upload commands; false for any other.
  bool Act(const HostMessage& message, int64_t nowMs, const Send& send);
  // Delayed blocks fall due; unacknowledged ones go out again.
  void Advance(int64_t nowMs, const Send& send);

 private:
  struct Upload {
    size_t run = 0;
    size_t offset = 0;  // bytes acknowledged
    uint16_t block = 1;
    bool ending = false;  // the block in flight is the empty end block
    int64_t sentAtMs = 0;
    int resends = 0;
  };

  void ListDirectory(const Send& send);
  void StartUpload(int runNumber, int64_t nowMs, const Send& send);
  void Acknowledged(const HostMessage& message, int64_t nowMs, const Send& send);
  size_t FileSize(const StoredRun& run) const;
  Bytes BlockPacket() const;
  void SendBlock(int64_t nowMs, const Send& send);

  int defaultCount_;
  size_t defaultBytes_;
  uint32_t firstStart_;
  uint64_t seed_;
  bool filled_ = false;
  std::vector<StoredRun> runs_;
  FlashFaults faults_;
  Counters counters_;
  Prng prng_;
  std::optional<Upload> upload_;
  std::vector<int> startsHeard_;  // runs whose start request was heard, for the silent start
  std::vector<std::pair<int64_t, Bytes>> delayed_;
};

// A run as a sampling that has just ended leaves it: about `bytes` long.
StoredRun SampledRun(int runNumber, int mode, uint32_t startTime, size_t bytes, int startMillivolts,
                     int endMillivolts, uint64_t seed);

// The directory packet (type 5) of a stored run.
Bytes BuildDirectoryPacket(const StoredRun& run, uint32_t listedSize);

}  // namespace ql::sim
