#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ql {

// One value of the host setup file: its record (1..22) and its place on the line.
struct SetupField {
  int record;
  int index;
};

// The host setup file (.zrh): what the host's controls held, as a header naming the
// host version and 22 numbered records of decimal values. Every record is kept exactly
// as read, including those the host does not act on, so a file reads and writes back
// unchanged.
struct HostSetupFile {
  static constexpr int kRecords = 22;
  // Files of this version carry the logger setup's host-port setting in record 1.
  static constexpr const char* kVersion = "7.06";

  // All records at their counts, every value 0.
  HostSetupFile();

  // The values count of a record; record 1 has one value less in files of other versions.
  static int Count(int record, bool currentVersion = true);

  int16_t Get(SetupField f) const { return values[static_cast<std::size_t>(f.record)][static_cast<std::size_t>(f.index)]; }
  void Set(SetupField f, int value) {
    values[static_cast<std::size_t>(f.record)][static_cast<std::size_t>(f.index)] = static_cast<int16_t>(value);
  }
  bool Has(SetupField f) const { return static_cast<std::size_t>(f.index) < values[static_cast<std::size_t>(f.record)].size(); }

  bool operator==(const HostSetupFile&) const = default;

  bool currentVersion = true;  // the header names version 7.06
  std::array<std::vector<int16_t>, kRecords + 1> values;  // records 1..22; entry 0 unused
};

// The places of the values the host acts on or writes, named after their controls.
namespace zrh {

inline constexpr SetupField kLoggerPortCB{1, 0};
inline constexpr SetupField kLoggerSetupCB{1, 1};
inline constexpr SetupField kCBHostPortSetup{1, 2};

inline constexpr SetupField kHostMode{2, 0};

inline constexpr SetupField kWindowState{3, 0};  // 0 normal, 1 minimised, 2 maximised
inline constexpr SetupField kWindowHeight{3, 1};
inline constexpr SetupField kWindowWidth{3, 2};

// Record 5: page visible flags, in this order (two unused places between).
inline constexpr int kPageFlagsRecord = 5;
inline constexpr SetupField kPageFlag(int place) { return {5, place}; }

inline constexpr SetupField kMenubx5PassThruVisible{6, 0};
inline constexpr SetupField kMenuAnnotateFileVisible{6, 1};
inline constexpr SetupField kMenuLoggerTimeUpdateVisible{6, 2};
inline constexpr SetupField kMenuAutoTimeUpdateVisible{6, 3};
inline constexpr SetupField kMenuAutoTimeUpdateChecked{6, 4};
inline constexpr SetupField kMenuUpdateTimeNowVisible{6, 5};
inline constexpr SetupField kMenuChangeLoggerIDVisible{6, 7};

inline constexpr SetupField kMenuMooredTimeUpdateVisible{8, 0};
inline constexpr SetupField kMenuMooredTimeUpdateChecked{8, 1};
inline constexpr SetupField kTimeSourceVisible{8, 2};
inline constexpr SetupField kTimeSourceCB{8, 3};

inline constexpr SetupField kAutoStartShown{9, 2};  // always written as 1
inline constexpr SetupField kCBAutoStart{9, 3};

inline constexpr SetupField kMenuLoggerPortSetupVisible{10, 7};

inline constexpr SetupField kExtractFilesRG{13, 0};
inline constexpr SetupField kRawSourceCB{13, 1};
inline constexpr SetupField kRawMuxIDUD{13, 2};
inline constexpr SetupField kRawPortCB{13, 3};

inline constexpr SetupField kUDDeckRate{14, 0};
inline constexpr SetupField kCBRecordPCTime{14, 1};

// Records 15..19: deck port n = 1..8 in port order.
inline constexpr SetupField kDeckPortCB(int n) { return {15, n - 1}; }
inline constexpr SetupField kDeckSetupCB(int n) { return {16, n - 1}; }
inline constexpr SetupField kPortTypeCB(int n) { return {17, n - 1}; }
inline constexpr SetupField kUDDeckType(int n) { return {18, n - 1}; }
inline constexpr SetupField kUDOutPort(int n) { return {19, n - 1}; }

// Record 20: visible flags of the replay controls i = 0..5 (ReplayArchiveBT,
// ReplayContinuousBT, ReplaySpeedLB1, ReplaySpeedLB2, ReplaySpeedUD, ReplaySpeedEdit),
// then the replay speed.
inline constexpr SetupField kReplayControlVisible(int i) { return {20, 2 + i}; }
inline constexpr SetupField kReplaySpeedUD{20, 8};

inline constexpr SetupField kModeCBVisible{21, 0};
inline constexpr SetupField kModeCB{21, 1};
inline constexpr SetupField kFileCBVisible{21, 2};
inline constexpr SetupField kFileCB{21, 3};
inline constexpr SetupField kOutputCBVisible{21, 4};
inline constexpr SetupField kOutputCB{21, 5};

}  // namespace zrh

}  // namespace ql
