#pragma once

namespace ql {

// The one recording and replay state: only one of them runs at a time.
enum RecordState : int {
  kRecordOff = 0,
  kRecordRaw = 1,         // raw input file
  kRecordArchive = 2,     // continuous archive file
  kRecordHourly = 3,      // 1 hour archive files
  kRecordDaily = 4,       // 1 day archive files
  kReplayArchive = 5,     // archive replay, once
  kReplayContinuous = 6,  // archive replay, over and over
};

inline bool IsReplayState(int state) { return state == kReplayArchive || state == kReplayContinuous; }
inline bool IsSeriesState(int state) { return state == kRecordHourly || state == kRecordDaily; }
inline bool IsArchiveState(int state) { return state == kRecordArchive || IsSeriesState(state); }

}  // namespace ql
