#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace ql {

// The run upload: which runs are still to come, where the transfer stands, and the run
// file being received.
struct UploadState {
  // The timeout count's mark for "the upload is complete": TTimeout stops at its next tick.
  static constexpr int kTimeoutStopped = 999999;
  // Ticks of TTimeout without a block after which a start request is repeated.
  static constexpr int kTimeoutTicks = 2;

  int runsToUpload = 0;  // non-zero: an upload is in progress
  bool started = false;  // a start request for the current run has been issued
  bool finishing = false;
  bool cancelRequest = false;
  int transferPhase = 0;  // 0 idle, 1 start request sent and no block yet, 2 blocks arriving
  int timeoutCount = 0;
  bool timeoutEnabled = false;  // the TTimeout timer runs
  int extractionChoice = 0;     // ExtractFilesRG's item index when the upload was started
  int selectionCount = 0;       // runs selected when the upload was started
  std::filesystem::path folder;

  // The run being received.
  int runNumber = 0;
  std::string fileName;  // "run.%03d"; "run.%03d.part" on the disk until its end block
  std::ofstream file;
  int64_t expectedSize = 0;
  int64_t bytesReceived = 0;
  int64_t scale = 1;  // bytes per progress bar step
  int lastBlock = -1;
  long duplicates = 0;
  bool createFailedShown = false;  // the run file could not be created; said once a run
  bool writeFailed = false;       // the disk refused a block of this run; said once
  bool cancelAcknowledged = false;  // the logger was told to cancel before the run's end
  bool refusedBlockShown = false; // a malformed block of this run was reported

  // The four words cleared with the directory table and by a cancelled upload.
  void ClearUploadWords() {
    runsToUpload = 0;
    started = false;
    finishing = false;
    cancelRequest = false;
  }
};

}  // namespace ql
