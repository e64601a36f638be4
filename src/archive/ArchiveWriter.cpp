#include "Recording.h"

#include "common/Format.h"
#include "common/Operator.h"

namespace ql {

bool Recording::NameSeriesFile(const SeriesTime& now) {
  if (state == kRecordHourly) {
    currentName = baseName + Format("%02d_%03d.%03d", now.year, now.dayOfYear, now.hour);
    fileNameLabel = Format("1 Hour Archive File:  %s", currentName.c_str());
  } else {
    currentName = baseName + Format("%02d.%03d", now.year, now.dayOfYear);
    fileNameLabel = Format("24 Hour Archive File:  %s", currentName.c_str());
  }
  // Appending creates a missing file and keeps an existing one whole.
  if (!file.Open(currentName, ArchiveFile::Mode::Append)) return false;
  byteCounter = file.SeekEnd();
  file.Close();
  return true;
}

bool Recording::OpenSeriesFile(const SeriesTime& now) {
  if (!NameSeriesFile(now) || !file.Open(currentName, ArchiveFile::Mode::Append)) {
    WriteFailed("Unable to Open Archive File");
    return false;
  }
  archiveOpen = true;
  return true;
}

bool Recording::WriteRecord(const uint8_t* record, int length, const SeriesTime& now) {
  if (!IsArchiveState(state)) return false;
  if (IsSeriesState(state) && !archiveOpen && !OpenSeriesFile(now)) return false;
  if (!file.Write(record, length)) {
    WriteFailed("Unable to Write Archive File");
    return false;
  }
  WriteSucceeded(length);
  recordsWritten += 1;
  return true;
}

void Recording::WriteRaw(const uint8_t* bytes, int count) {
  if (state != kRecordRaw) return;
  if (!file.Write(bytes, count)) {
    WriteFailed("Unable to Write Raw Data File");
    return;
  }
  WriteSucceeded(count);
}

void Recording::RolloverCheck(int minute) {
  if (minute == lastMinute) return;
  lastMinute = minute;
  if (!archiveOpen) return;
  file.Close();
  archiveOpen = false;
}

void Recording::WriteFailed(const char* what) {
  const bool firstOfSpell = !failing;
  failing = true;
  failure = file.Reason();
  if (firstOfSpell) {
    op_.Warning("File Error", Format("%s  %s%c%c%s", what, currentName.c_str(), '\r', '\n', failure.c_str()));
  }
}

void Recording::WriteSucceeded(int count) {
  byteCounter += count;
  bytesWritten += count;
  failing = false;
  failure.clear();
}

}  // namespace ql
