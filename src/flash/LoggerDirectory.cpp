#include "LoggerDirectory.h"

#include "DirectoryEntry.h"
#include "common/Format.h"
#include "common/Operator.h"
#include "serial/CommandFrame.h"
#include "serial/CommandSender.h"

namespace ql {

void BTGetDirectoryClick(FlashState& flash, int loggerState, const std::string& loggerName) {
  flash.directoryWarningShown = false;
  if (flash.upload.runsToUpload != 0) {
    flash.op.Warning("Unable to comply", "Upload in progress");
    return;
  }
  if (loggerState != kLoggerStandby && loggerState != kLoggerEndOfRun) {
    flash.op.Warning("Directory Error",
                     Format("The %s Must be in Standby before the Directory can be Retrieved", loggerName.c_str()));
    return;
  }
  flash.directory.Clear();
  flash.upload.ClearUploadWords();
  flash.page.profiles.clear();
  flash.sender.SendCommandArgs(CmdGetDirectory, 0, 0);
}

void HandleDirectoryEntry(FlashState& flash, const uint8_t* packet) {
  const DirectoryEntry entry = DecodeDirectoryEntry(packet);
  flash.page.csError = Format("Run Number: %d", entry.runNumber);
  // Run numbers from 512 on, and any packet once the table is full, find no place.
  if (entry.runNumber >= RunDirectory::kEntries || flash.directory.Full()) {
    flash.op.Warning("File System Overload", "More than 512 files found recorded");
    return;
  }
  flash.directory.Add(entry.runNumber, entry.size);
  flash.page.profiles.push_back(DirectoryLine(entry));
  if (static_cast<int>(flash.page.profiles.size()) != flash.directory.entryCount && !flash.directoryWarningShown) {
    flash.op.Warning("**** Warning - Run Directory Error ****",
                     "The Logger Directory maybe missing files, Press 'Get Logger Directory' to Reload");
    flash.directoryWarningShown = true;
  }
}

void BTClearMemoryClick(FlashState& flash) {
  ConfirmAndSend(flash.sender, flash.op, CmdClearFlash, [&flash] { flash.page.profiles.clear(); });
}

}  // namespace ql
