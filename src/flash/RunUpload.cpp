#include "RunUpload.h"

#include <system_error>

#include "RunFileName.h"
#include "common/ByteOrder.h"
#include "common/Format.h"
#include "common/Operator.h"
#include "common/SystemReason.h"
#include "serial/CommandFrame.h"
#include "serial/CommandSender.h"

namespace ql {
namespace {

constexpr int kProgressSteps = 3200;
constexpr uint32_t kAckGoOn = 1;
constexpr uint32_t kAckCancel = 2;

std::string UploadErrorCaption(int runNumber) { return Format("Run.%03d - File Upload Error", runNumber); }

std::filesystem::path RunPath(const UploadState& u) { return u.folder / u.fileName; }
// Where the run is written until its end block has come.
std::filesystem::path PartPath(const UploadState& u) { return PartialRunFile(RunPath(u)); }

bool ExistsWithData(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error) && std::filesystem::file_size(path, error) > 0 && !error;
}

// The smallest of 1, 10, 100 ... that brings the size within the bar's steps.
int64_t ProgressScale(int64_t size) {
  int64_t scale = 1;
  while (size / scale > kProgressSteps) scale *= 10;
  return scale;
}

Operator::Answer AskOverwrite(Operator& op, const std::string& name) {
  Operator::Question q;
  q.text = Format("File %s Exists ... Overwrite ?\n\n%cYes = Overwrite File\n%cNo = Skip file\n%cCancel = Abort Upload",
                  name.c_str(), '\t', '\t', '\t');
  q.buttons = Operator::Buttons::YesNoCancel;
  q.icon = Operator::Icon::Question;
  return op.Ask(q);
}

// Ends the upload at the host: what is still marked stays on the logger.
void DropRemainingRuns(FlashState& flash) {
  flash.upload.ClearUploadWords();
  flash.page.upLoadRun = "Upload Cancelled";
}

// A repeated start request of the same run does not repeat what was said about it.
void ForgetRunProblems(UploadState& u) {
  u.createFailedShown = false;
  u.refusedBlockShown = false;
}

void OpenRunFile(FlashState& flash, int entry) {
  UploadState& u = flash.upload;
  u.file.close();
  u.file.clear();
  errno = 0;
  u.file.open(PartPath(u), std::ios::binary | std::ios::trunc);
  if (!u.file.is_open()) {
    // Its blocks are ignored and the start request is repeated; say so once a run.
    if (!u.createFailedShown) {
      flash.op.Warning(UploadErrorCaption(u.runNumber), Format("Unable to create %s: %s", PathText(PartPath(u)).c_str(),
                                                               SystemReason("cannot be created").c_str()));
    }
    u.createFailedShown = true;
  }
  u.writeFailed = false;
  u.cancelAcknowledged = false;
  u.expectedSize = flash.directory.size[static_cast<size_t>(entry)];
  u.scale = ProgressScale(u.expectedSize);
  flash.page.progressMax = static_cast<int>(u.expectedSize / u.scale);
  u.transferPhase = 1;
  u.bytesReceived = 0;
  u.lastBlock = -1;
  flash.sender.SendCommandArgs(CmdUploadRun, static_cast<uint16_t>(u.runNumber), 0);
  u.timeoutCount = 0;
  u.duplicates = 0;
}

void WriteBlock(FlashState& flash, const uint8_t* data, int count) {
  UploadState& u = flash.upload;
  u.transferPhase = 2;
  // Each block goes to the disk at once, so a full disk shows in the count received.
  errno = 0;
  if (u.file.write(reinterpret_cast<const char*>(data), count) && u.file.flush()) {
    u.bytesReceived += count;
  } else if (!u.writeFailed) {
    u.writeFailed = true;
    flash.op.Warning(UploadErrorCaption(u.runNumber), Format("Unable to write %s: %s", PathText(PartPath(u)).c_str(),
                                                             SystemReason("write failed").c_str()));
  }
  flash.page.progressPosition = static_cast<int>(u.bytesReceived / u.scale);
  flash.page.upLoadRun = u.fileName;
  flash.page.upLoadSize = Format("File Size:  %1ld K", static_cast<long>(u.bytesReceived / 1024));
  flash.page.csError = Format("Duplicate Packets:  %1ld", u.duplicates);
}

void CheckRunSize(FlashState& flash, int entry) {
  const UploadState& u = flash.upload;
  const int64_t expected = flash.directory.size[static_cast<size_t>(entry)];
  if (u.bytesReceived < expected) flash.op.Warning(UploadErrorCaption(u.runNumber), "File Sent is Smaller than Expected");
  if (u.bytesReceived > expected) flash.op.Warning(UploadErrorCaption(u.runNumber), "File Sent is Bigger than Expected");
}

// The run file takes its own name only when the logger ended it of its own accord and
// every block reached the disk; otherwise it stays "run.NNN.part", partial, and is not
// extracted (the operator may still do so with "Parse Run Files").
bool NameWholeRun(FlashState& flash) {
  UploadState& u = flash.upload;
  errno = 0;
  u.file.close();
  if (u.file.fail() && !u.writeFailed) {
    u.writeFailed = true;
    flash.op.Warning(UploadErrorCaption(u.runNumber), Format("Unable to write %s: %s", PathText(PartPath(u)).c_str(),
                                                             SystemReason("close failed").c_str()));
  }
  if (u.writeFailed || u.cancelAcknowledged) return false;
  std::error_code error;
  std::filesystem::rename(PartPath(u), RunPath(u), error);
  if (error) {
    flash.op.Warning(UploadErrorCaption(u.runNumber), Format("%s cannot take the name %s: %s; it is kept as it is",
                                                             PathText(PartPath(u)).c_str(), u.fileName.c_str(),
                                                             error.message().c_str()));
    return false;
  }
  return true;
}

void FinishRun(FlashState& flash) {
  UploadState& u = flash.upload;
  u.transferPhase = 0;
  const bool whole = NameWholeRun(flash);
  u.timeoutEnabled = false;
  u.finishing = true;
  u.started = false;
  u.runsToUpload -= 1;

  const int entry = flash.directory.Find(u.runNumber);
  if (entry >= 0) {
    CheckRunSize(flash, entry);
    flash.directory.uploadMark[static_cast<size_t>(entry)] = 0;
  }
  if (whole && flash.extractRun) flash.extractRun(RunPath(u), u.extractionChoice);

  u.finishing = false;
  ForgetRunProblems(u);
  if (u.runsToUpload <= 0) {
    flash.page.upLoadRun = "Upload is Complete";
    u.timeoutCount = UploadState::kTimeoutStopped;
  }
  if (u.cancelRequest) DropRemainingRuns(flash);
}

}  // namespace

void BTUploadClick(FlashState& flash, const std::vector<int>& selectedLines, const ChooseRunFile& dialog) {
  UploadState& u = flash.upload;
  if (u.runsToUpload != 0) {
    flash.op.Warning("Unable to comply", "Upload in progress");
    return;
  }
  if (flash.page.extractFiles < 0) {
    flash.op.Warning("Unable to comply", "Please Select the File Types To Be Extracted");
    return;
  }
  u.extractionChoice = flash.page.extractFiles;

  RunDirectory& d = flash.directory;
  std::vector<int> runs;
  for (int line : selectedLines) {
    if (line >= 0 && line < d.entryCount && d.size[static_cast<size_t>(line)] > 0) runs.push_back(line);
  }
  if (runs.empty()) return;
  const std::string proposed =
      runs.size() == 1 ? Format("run.%03d", d.runNumber[static_cast<size_t>(runs.back())]) : std::string("run.xxx");
  const std::optional<std::string> chosen = dialog(proposed);
  if (!chosen) return;

  // Marks left by a cancelled upload must not ride along with this selection.
  d.uploadMark.fill(0);
  for (int entry : runs) d.uploadMark[static_cast<size_t>(entry)] = 1;
  const std::filesystem::path folder = std::filesystem::path(*chosen).parent_path();
  std::error_code error;
  u.folder = folder.empty() ? std::filesystem::current_path(error) : folder;
  u.runsToUpload = static_cast<int>(runs.size());
  ForgetRunProblems(u);
  u.selectionCount = u.runsToUpload;
}

void BTCancelUploadClick(FlashState& flash) {
  // Only an upload under way can be cancelled; a click while idle must not lie in wait
  // and cancel the next one at its first block.
  if (flash.upload.runsToUpload != 0) flash.upload.cancelRequest = true;
}

void DriveUploads(FlashState& flash) {
  UploadState& u = flash.upload;
  if (u.runsToUpload != 0 && u.timeoutCount > UploadState::kTimeoutTicks && u.timeoutCount < UploadState::kTimeoutStopped) {
    if (u.cancelRequest && !u.finishing) {
      // No block came to carry the cancel to the logger: end the upload here.
      u.file.close();
      u.transferPhase = 0;
      u.timeoutEnabled = false;
      DropRemainingRuns(flash);
      return;
    }
    if (u.transferPhase == 1) {
      if (!u.finishing) u.started = false;
    } else {
      u.timeoutCount = 0;
    }
  }
  if (u.runsToUpload != 0 && !u.started && !u.finishing) {
    u.started = true;
    u.timeoutCount = 0;
    switch (StartNextRun(flash)) {
      case kUploadAborted:
        flash.page.upLoadRun = "Upload Cancelled";
        break;
      case kStartRequestSent:
        u.timeoutEnabled = true;
        u.timeoutCount = 0;
        break;
      case kNoRunStarted:
        // Every run left was skipped at the overwrite question.
        u.ClearUploadWords();
        flash.page.upLoadRun = "Upload is Complete";
        break;
    }
  }
}

void TTimeoutTimer(FlashState& flash) {
  UploadState& u = flash.upload;
  if (!u.timeoutEnabled) return;
  if (u.timeoutCount == UploadState::kTimeoutStopped) {
    u.timeoutEnabled = false;
    u.timeoutCount = 0;
  } else if (!u.finishing) {
    u.timeoutCount += 1;
  }
}

StartResult StartNextRun(FlashState& flash) {
  UploadState& u = flash.upload;
  RunDirectory& d = flash.directory;
  for (int entry = 0; entry < RunDirectory::kEntries; ++entry) {
    const auto i = static_cast<size_t>(entry);
    if (d.uploadMark[i] == 0) continue;
    u.transferPhase = 1;
    u.timeoutCount = 0;
    u.runNumber = d.runNumber[i];
    u.fileName = Format("run.%03d", u.runNumber);
    // Asked for every run of a selection of several, the last one included: the save
    // dialog's own prompt only ever saw "run.xxx".
    if (u.selectionCount > 1 && ExistsWithData(RunPath(u))) {
      const Operator::Answer answer = AskOverwrite(flash.op, u.fileName);
      if (answer == Operator::Answer::Cancel) {
        u.ClearUploadWords();
        return kUploadAborted;
      }
      if (answer == Operator::Answer::No) {
        d.uploadMark[i] = 0;
        u.runsToUpload -= 1;
        continue;
      }
    }
    OpenRunFile(flash, entry);
    return kStartRequestSent;
  }
  return kNoRunStarted;
}

void HandleUploadBlock(FlashState& flash, const uint8_t* packet) {
  UploadState& u = flash.upload;
  if (!u.file.is_open()) return;
  const uint16_t block = GetU16LE(packet + 2);
  const int count = GetI16LE(packet + 6);
  if (count > kMaxBlockData) {
    // More than a block holds: nothing is written and nothing acknowledged, so the
    // logger sends the block again.
    if (!u.refusedBlockShown) {
      flash.op.Warning(UploadErrorCaption(u.runNumber), Format("Block %u refused: it claims %d data bytes", block, count));
    }
    u.refusedBlockShown = true;
    return;
  }
  flash.sender.SendCommandArgs(CmdUploadAck, block, u.cancelRequest ? kAckCancel : kAckGoOn);
  // Told to cancel before its end, the logger ends the run early: what came is partial.
  if (u.cancelRequest && count != 0) u.cancelAcknowledged = true;
  u.timeoutCount = 0;
  // A negative count carries nothing to write. Its number is not kept as the last one, so
  // the same block sent again with its data is written, not taken for a repeat.
  if (count < 0) return;
  if (count > 0 && block == u.lastBlock) u.duplicates += 1;
  if (count > 0 && block != u.lastBlock) WriteBlock(flash, packet + 8, count);
  if (count == 0) FinishRun(flash);
  u.lastBlock = block;
}

std::string UploadUnderWayText(const FlashState& flash) {
  const UploadState& u = flash.upload;
  if (u.runsToUpload == 0) return {};
  const auto runsLeft = [](int n) { return Format("%d more selected run%s", n, n == 1 ? "" : "s"); };
  // Between runs: the next one starts at the next second.
  if (!u.started) return "The upload of " + runsLeft(u.runsToUpload) + " has not begun; leaving now stops the upload.";
  std::string text;
  if (u.bytesReceived == 0) {
    text = Format("Run %d is being uploaded: the logger has not sent any of it yet.", u.runNumber);
  } else {
    const long percent = u.expectedSize > 0 ? static_cast<long>(u.bytesReceived * 100 / u.expectedSize) : 0;
    text = Format("Run %d is being uploaded: %ld K of %ld K (%ld %%) have come.", u.runNumber,
                  static_cast<long>(u.bytesReceived / 1024), static_cast<long>(u.expectedSize / 1024), percent);
  }
  text += Format(" Leaving now keeps what has come as %s, a partial run.", PathText(PartPath(u).filename()).c_str());
  const int after = u.runsToUpload - 1;
  if (after > 0) text += " The " + runsLeft(after) + " after it will not be uploaded.";
  return text;
}

}  // namespace ql
