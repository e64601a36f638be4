#pragma once

#include <functional>
#include <memory>
#include <string>

#include "Job.h"
#include "datagram/DatagramSender.h"
#include "reconnect/LinkKeeper.h"

namespace ql {

// What "record" writes, as the Recording page's buttons.
struct RecordRequest {
  int state = 0;        // kRecordHourly, kRecordDaily, kRecordArchive or kRecordRaw
  std::string name;     // the base name of hourly and daily files, or the file
  bool syncClock = false;  // the window's automatic clock rule
  int64_t retryMs = 5000;    // a lost port is tried again this often
  int64_t silenceMs = 30000; // no byte for this long counts as a lost link
  std::string udp;           // HOST:PORT for the accepted records' text lines; empty: none
};

// "record": records the logger's real-time data exactly as the window does until told
// to stop, keeping the link: a port that goes away (an adapter pulled) or a logger that
// falls silent is reopened every few seconds, comports.txt read afresh, and recording
// goes on into the file of the moment. Each event is told in one line. With an address for
// the ship's network, each accepted record's text lines also go there as datagrams.
class RecordJob : public Job {
 public:
  using Events = std::function<void(const std::string& line)>;

  RecordJob(RecordRequest request, Events events)
      : request_(std::move(request)), events_(std::move(events)), keeper_({request_.retryMs, request_.silenceMs, true}) {}
  Outcome Poll(HeadlessHost& host) override;
  Outcome Interrupt() override;

  int64_t RecordsWritten() const { return written_; }
  int64_t RecordsAccepted() const { return accepted_; }

 private:
  Outcome Start(HeadlessHost& host);
  void WatchFile(HeadlessHost& host);
  void WatchLink(HeadlessHost& host);
  void Broadcast(const uint8_t* record);

  RecordRequest request_;
  Events events_;
  HeadlessHost* host_ = nullptr;
  bool started_ = false;
  std::string fileShown_;
  bool failingShown_ = false;
  LinkKeeper keeper_;
  std::unique_ptr<DatagramSender> network_;
  bool networkFailing_ = false;
  int64_t accepted_ = 0;
  int64_t written_ = 0;
};

}  // namespace ql
