#include "Recording.h"

#include "common/Format.h"
#include "common/Operator.h"

namespace ql {
namespace {

constexpr const char* kFileError = "File Error";

}  // namespace

std::string Recording::UnderWayText() const {
  const char* what = nullptr;
  switch (state) {
    case kRecordRaw: what = "raw input file"; break;
    case kRecordArchive: what = "archive file"; break;
    case kRecordHourly: what = "1 hour archive file"; break;
    case kRecordDaily: what = "1 day archive file"; break;
    default: return {};
  }
  return Format("Data are being recorded into the %s %s; leaving now ends the recording.", what, currentName.c_str());
}

bool Recording::StartArchive(const std::string& name) {
  if (!file.Open(name, ArchiveFile::Mode::Truncate)) {
    op_.Warning(kFileError, "Unable to Create Archive File");
    return false;
  }
  currentName = name;
  fileNameLabel = Format("Archive File:  %s", name.c_str());
  state = kRecordArchive;
  archiveOpen = true;
  byteCounter = 0;
  recordsWritten = bytesWritten = 0;
  return true;
}

bool Recording::StartSeries(int seriesState, const std::string& name, const SeriesTime& now) {
  const int oldState = state;
  const std::string oldBase = baseName;
  state = seriesState;
  baseName = name;
  if (NameSeriesFile(now)) {
    recordsWritten = bytesWritten = 0;
    return true;
  }
  // The file of this hour (or day) cannot be made: nothing starts.
  state = oldState;
  baseName = oldBase;
  fileNameLabel = "Archive File:";
  op_.Warning(kFileError, "Unable to Create Archive File");
  return false;
}

bool Recording::StartRaw(const std::string& name) {
  if (!file.Open(name, ArchiveFile::Mode::Truncate)) {
    op_.Warning(kFileError, "Unable to Create Raw Data File");
    return false;
  }
  currentName = name;
  fileNameLabel = Format("Raw Input File:  %s", name.c_str());
  state = kRecordRaw;
  byteCounter = 0;
  recordsWritten = bytesWritten = 0;
  archiveOpen = true;
  return true;
}

bool Recording::StartReplay(int replayState, const std::string& name, int64_t nowMs) {
  if (!file.Open(name, ArchiveFile::Mode::Read)) return false;
  currentName = name;
  replay.stopRequest = false;
  state = replayState;
  fileNameLabel = Format("Archive File:  %s", name.c_str());
  replay.fileSize = file.SeekEnd();
  file.Seek(0);
  byteCounter = 0;
  replay.startMs = nowMs;
  replay.lastHandedOn.reset();
  return true;
}

void Recording::Stop() {
  if (state == kRecordOff) return;
  state = kRecordOff;
  file.Close();
  archiveOpen = false;
  replay.continuation = false;
  failing = false;
  failure.clear();
}

void Recording::ShowStatus(int64_t nowMs) {
  const double seconds = static_cast<double>(nowMs - replay.startMs) * 0.001;
  std::string text;
  switch (state) {
    case kRecordOff: text = "Recording:  OFF"; break;
    case kRecordRaw: text = "Recording:  Raw Input File"; break;
    case kRecordArchive: text = "Recording:  Archive File"; break;
    case kRecordHourly: text = "Recording:  1 Hour Archive"; break;
    case kRecordDaily: text = "Recording:  24 Hour Archive"; break;
    case kReplayArchive: text = Format("Replay Archive:  %5.3lf secs", seconds); break;
    case kReplayContinuous: text = Format("Continuous Archive Replay:  %5.3lf secs", seconds); break;
    default: text = "Recording:  Error"; break;
  }
  if (failing) text += Format("  -  NOT RECORDING: %s", failure.c_str());
  statusText = text;
  fileSizeText = Format("File Size:  %8ld K", static_cast<long>(byteCounter / 1024));
}

}  // namespace ql
