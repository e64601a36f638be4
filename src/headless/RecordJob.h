#pragma once

#include <functional>
#include <string>

#include "Job.h"

namespace ql {

// What "record" writes, as the Recording page's buttons.
struct RecordRequest {
  int state = 0;        // kRecordHourly, kRecordDaily, kRecordArchive or kRecordRaw
  std::string name;     // the base name of hourly and daily files, or the file
  bool syncClock = false;  // the window's automatic clock rule
  int64_t retryMs = 5000;    // a lost port is tried again this often
  int64_t silenceMs = 30000; // no byte for this long counts as a lost link
};

// "record": records the logger's real-time data exactly as the window does until told
// to stop, keeping the link: a port that goes away (an adapter pulled) or a logger that
// falls silent is reopened every few seconds, comports.txt read afresh, and recording
// goes on into the file of the moment. Each event is told in one line.
class RecordJob : public Job {
 public:
  using Events = std::function<void(const std::string& line)>;

  RecordJob(RecordRequest request, Events events) : request_(std::move(request)), events_(std::move(events)) {}
  Outcome Poll(HeadlessHost& host) override;
  Outcome Interrupt() override;

  int64_t RecordsWritten() const { return written_; }
  int64_t RecordsAccepted() const { return accepted_; }

 private:
  Outcome Start(HeadlessHost& host);
  void WatchFile(HeadlessHost& host);
  void WatchLink(HeadlessHost& host);

  RecordRequest request_;
  Events events_;
  HeadlessHost* host_ = nullptr;
  bool started_ = false;
  std::string fileShown_;
  bool failingShown_ = false;
  bool linkLost_ = false;
  uint32_t lastInput_ = 0;
  int64_t lastInputMs_ = 0;
  int64_t lastTryMs_ = 0;
  int64_t accepted_ = 0;
  int64_t written_ = 0;
};

}  // namespace ql
