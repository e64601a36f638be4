#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "FlashState.h"

namespace ql {

// The save dialog LogSaveDialog that picks the upload folder: shown with the proposed
// name, it gives the chosen path or nothing when cancelled.
inline constexpr const char* kLogSaveDialogTitle = "Save Logger File";
inline constexpr const char* kLogSaveDialogFilter = "Run (run.000-run.999)|run.*";
using ChooseRunFile = std::function<std::optional<std::string>(const std::string& proposedName)>;

// The most data bytes one upload block can carry.
inline constexpr int kMaxBlockData = 1026;

// Results of starting the next run.
enum StartResult { kNoRunStarted = 0, kUploadAborted = 2, kStartRequestSent = 6 };

// BTUploadClick: marks the selected lines (directory entries) that hold data and picks
// the folder; the uploads then start from the one-second tick.
void BTUploadClick(FlashState& flash, const std::vector<int>& selectedLines, const ChooseRunFile& dialog);

// BTCancelUploadClick: while an upload is under way, the next acknowledgement tells the
// logger to cancel; while idle it does nothing.
void BTCancelUploadClick(FlashState& flash);

// The upload supervision step of the one-second tick.
void DriveUploads(FlashState& flash);

// TTimeoutTimer: one tick of the 1500 ms timer while it runs.
void TTimeoutTimer(FlashState& flash);

// Starts the first marked run: may ask whether to overwrite an existing file.
StartResult StartNextRun(FlashState& flash);

// One upload block packet (type 4) that passed its checksum.
void HandleUploadBlock(FlashState& flash, const uint8_t* packet);

// What leaving the program now would cut short: the run being uploaded, how far it has
// come and the name it is kept under; empty while no upload runs.
std::string UploadUnderWayText(const FlashState& flash);

}  // namespace ql
