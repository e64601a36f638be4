#include "RunUpload.h"

#include <system_error>

#include "common/ByteOrder.h"
#include "common/Format.h"
#include "common/Operator.h"
#include "serial/CommandFrame.h"
#include "serial/CommandSender.h"

namespace ql {
namespace {

constexpr int kProgressSteps = 3200;
constexpr uint32_t kAckGoOn = 1;
constexpr uint32_t kAckCancel = 2;

std::string UploadErrorCaption(int runNumber) { return Format("Run.%03d - File Upload Error", runNumber); }

std::filesystem::path RunPath(const UploadState& u) { return u.folder / u.fileName; }

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
  u.writeFailed = false;
  u.refusedBlockShown = false;
}

void OpenRunFile(FlashState& flash, int entry) {
  UploadState& u = flash.upload;
  u.file.close();
  u.file.clear();
  u.file.open(RunPath(u), std::ios::binary | std::ios::trunc);
  if (!u.file.is_open()) {
    // Its blocks are ignored and the start request is repeated; say so once a run.
    if (!u.writeFailed) flash.op.Warning(UploadErrorCaption(u.runNumber), Format("Unable to create %s", RunPath(u).string().c_str()));
    u.writeFailed = true;
  }
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
  if (u.file.write(reinterpret_cast<const char*>(data), count) && u.file.flush()) {
    u.bytesReceived += count;
  } else if (!u.writeFailed) {
    u.writeFailed = true;
    flash.op.Warning(UploadErrorCaption(u.runNumber), Format("Unable to write %s", RunPath(u).string().c_str()));
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

void FinishRun(FlashState& flash) {
  UploadState& u = flash.upload;
  u.transferPhase = 0;
  u.file.close();
  u.timeoutEnabled = false;
  u.finishing = true;
  u.started = false;
  u.runsToUpload -= 1;

  const int entry = flash.directory.Find(u.runNumber);
  if (entry >= 0) {
    CheckRunSize(flash, entry);
    flash.directory.uploadMark[static_cast<size_t>(entry)] = 0;
  }
  if (flash.extractRun) flash.extractRun(RunPath(u), u.extractionChoice);

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
  if (count < 0 || count > kMaxBlockData) {
    // More than a block holds: nothing is written and nothing acknowledged, so the
    // logger sends the block again.
    if (!u.refusedBlockShown) {
      flash.op.Warning(UploadErrorCaption(u.runNumber), Format("Block %u refused: it claims %d data bytes", block, count));
    }
    u.refusedBlockShown = true;
    return;
  }
  flash.sender.SendCommandArgs(CmdUploadAck, block, u.cancelRequest ? kAckCancel : kAckGoOn);
  u.timeoutCount = 0;
  if (count > 0 && block == u.lastBlock) u.duplicates += 1;
  if (count > 0 && block != u.lastBlock) WriteBlock(flash, packet + 8, count);
  if (count == 0) FinishRun(flash);
  u.lastBlock = block;
}

}  // namespace ql
