#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "Annotation.h"
#include "ArchiveFile.h"
#include "PcLogger.h"
#include "RecordState.h"

namespace ql {

class Operator;

// The PC clock fields the hourly and daily names are made of.
struct SeriesTime {
  int year = 0;       // modulo 100
  int dayOfYear = 1;  // 1..366
  int hour = 0;
};

// Archive replay: pacing, the stop request and the speed controls.
struct ReplayState {
  static constexpr int kControls = 6;
  static constexpr int kSlowest = 1;
  static constexpr int kFastest = 10;

  int64_t fileSize = 0;  // measured when the file is opened
  bool stopRequest = false;  // set by the reader, acted on by the fast tick
  int countdown = 0;  // replayCountdown: ticks until the next record; never reset by a start
  int speed = 6;      // ReplaySpeedUD position
  // Visible flags of ReplayArchiveBT, ReplayContinuousBT, ReplaySpeedLB1, ReplaySpeedLB2,
  // ReplaySpeedUD and ReplaySpeedEdit; every host mode hides them, a host setup file may
  // show them.
  std::array<bool, kControls> controlsVisible{};
  int64_t startMs = 0;  // PC time the replay began, for the seconds of the status text

  // A group the host split into several records (more data than one record carries)
  // repeats its sender, sequence and time in each piece. The reader marks a record that
  // repeats those of the record handed on just before it, so that the consumer takes it
  // as the rest of that record, not as a repeat of it.
  struct RecordKey {
    uint8_t sender = 0;
    uint8_t sequence = 0;
    uint32_t time = 0;
    bool operator==(const RecordKey&) const = default;
  };
  std::optional<RecordKey> lastHandedOn;
  bool continuation = false;  // the packet just handed on continues the one before it
};

// Recording and replay: the state value, the one open file and what the Recording page
// shows of them. Failures to open or write a file are reported once per spell and shown
// in the status text until a write succeeds again or recording stops.
class Recording {
 public:
  explicit Recording(Operator& op) : op_(op) {}

  int state = kRecordOff;
  ArchiveFile file;
  bool archiveOpen = false;
  std::string baseName;  // as chosen, the prefix of hourly and daily names
  std::string currentName;
  int64_t byteCounter = 0;  // bytes in the current file; the read position while replaying
  // Written since recording started, over every file of an hourly or daily series.
  int64_t recordsWritten = 0;
  int64_t bytesWritten = 0;
  std::string fileNameLabel = "Archive File:";  // LBArchiveFileName
  int lastMinute = -1;  // minute last seen by the rollover check
  ReplayState replay;
  PcLogger pcLogger;
  Annotation annotation;

  // Set while the file cannot be opened or written: what went wrong.
  bool failing = false;
  std::string failure;

  // Start buttons. Each returns false, with nothing changed, when its file cannot be made.
  bool StartArchive(const std::string& name);
  bool StartSeries(int seriesState, const std::string& name, const SeriesTime& now);
  bool StartRaw(const std::string& name);
  bool StartReplay(int replayState, const std::string& name, int64_t nowMs);
  // Stop: the state goes to off and the file is closed.
  void Stop();
  // The file being recorded (the hour's or day's file in a series), or empty while
  // nothing records.
  std::string RecordedFile() const { return state == kRecordRaw || IsArchiveState(state) ? currentName : std::string(); }
  // The seven start buttons are enabled only while nothing records or replays.
  bool StartButtonsEnabled() const { return state == kRecordOff; }
  // What leaving the program now would end: the file being recorded; empty while
  // nothing records.
  std::string UnderWayText() const;

  // The archive writer: one record, header little-endian, in one write. False when
  // nothing was written (not recording, or the write failed).
  bool WriteRecord(const uint8_t* record, int length, const SeriesTime& now);
  // The raw writer: bytes just read from the logger port, while the state is raw.
  void WriteRaw(const uint8_t* bytes, int count);
  // Once a second in hourly and daily recording: a new minute closes the file, so the
  // next record opens the one named for that moment.
  void RolloverCheck(int minute);

  // The replay reader: at most one rebuilt data packet at buffer, paced by the countdown.
  int ReadReplayPacket(uint8_t* buffer, int capacity);

  // The second's refresh of LBRecordStatus (also the caption of the page) and
  // LBArchiveFileSize.
  void ShowStatus(int64_t nowMs);
  // Empty until the first refresh: the page keeps its design-time texts until then.
  std::string statusText;
  std::string fileSizeText;

 private:
  bool NameSeriesFile(const SeriesTime& now);
  bool OpenSeriesFile(const SeriesTime& now);
  void WriteFailed(const char* what);
  void WriteSucceeded(int count);
  void RefuseReplayLength(int length);

  Operator& op_;
};

}  // namespace ql
