#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "RunDirectory.h"
#include "UploadState.h"

namespace ql {

class CommandSender;
class Operator;

// What the page TSUpload shows; the window copies it into its controls.
struct UploadPageView {
  std::vector<std::string> profiles;  // LBProfiles, line i for directory entry i
  std::string csError;                // CSError
  std::string upLoadRun = "Run.xxx";  // UpLoadRun
  std::string upLoadSize = "File Size: ";
  int progressMax = 100;  // UpLoadPB
  int progressPosition = 0;
  int extractFiles = -1;  // ExtractFilesRG item index; -1 while none is chosen
};

// Extraction of a finished run file: its path and the extraction choice.
using ExtractRunHook = std::function<void(const std::filesystem::path& runFile, int extractionChoice)>;

// The logger's flash as the host sees it: the directory of runs, the upload and the
// page that shows them. Commands go out through the sender, boxes through the operator.
struct FlashState {
  FlashState(CommandSender& commandSender, Operator& person) : sender(commandSender), op(person) {}
  FlashState(const FlashState&) = delete;
  FlashState& operator=(const FlashState&) = delete;

  CommandSender& sender;
  Operator& op;
  RunDirectory directory;
  UploadState upload;
  UploadPageView page;
  bool directoryWarningShown = false;  // the missing-files warning, once a request
  ExtractRunHook extractRun;
};

}  // namespace ql
