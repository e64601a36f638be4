#include "RecordJob.h"

#include "HeadlessHost.h"
#include "archive/RecordState.h"
#include "common/Format.h"
#include "cycle/RecordActions.h"
#include "datagram/RecordLines.h"

namespace ql {
namespace {

const char* KindText(int state) {
  switch (state) {
    case kRecordHourly: return "1 hour archive files";
    case kRecordDaily: return "1 day archive files";
    case kRecordArchive: return "a continuous archive file";
    default: return "a raw file";
  }
}

// The Recording page's buttons, by the state each starts.
void ClickRecordButton(HostState& host, int state) {
  switch (state) {
    case kRecordHourly: BTRecord1HourClick(host); break;
    case kRecordDaily: BTRecord1DayClick(host); break;
    case kRecordArchive: BTRecordArchiveClick(host); break;
    default: BTRecordRawClick(host); break;
  }
}

}  // namespace

Job::Outcome RecordJob::Poll(HeadlessHost& host) {
  if (!started_) return Start(host);
  WatchFile(host);
  WatchLink(host);
  return Outcome::kRunning;
}

Job::Outcome RecordJob::Start(HeadlessHost& host) {
  started_ = true;
  host_ = &host;
  HostState& state = host.State();
  if (!request_.udp.empty()) {
    std::string error;
    network_ = DatagramSender::Open(request_.udp, error);
    if (!network_) return Fail("--udp " + error);
  }
  state.clockSync.autoSync = request_.syncClock;
  // Count what the link accepted and what reached the file, around the window's writer.
  auto accept = state.consumer.hooks().accepted;
  state.consumer.hooks().accepted = [this, accept](const uint8_t* record) {
    accepted_ += 1;
    if (accept) accept(record);
    if (network_) Broadcast(record);
  };
  auto write = state.consumer.hooks().archive;
  state.consumer.hooks().archive = [this, write](const uint8_t* record, int length, int recordState) {
    const bool written = write(record, length, recordState);
    written_ += written ? 1 : 0;
    return written;
  };
  host.Person().AnswerNextFileDialog(request_.name);
  ClickRecordButton(state, request_.state);
  if (state.recording.state != request_.state) return Fail("cannot record into " + request_.name);
  events_(Format("started: recording %s %s", KindText(request_.state), request_.name.c_str()));
  return Outcome::kRunning;
}

void RecordJob::WatchFile(HeadlessHost& host) {
  const Recording& r = host.State().recording;
  if (r.currentName != fileShown_ && !r.currentName.empty() && !r.failing) {
    fileShown_ = r.currentName;
    events_("file opened: " + fileShown_);
  }
  // The writer tells the first failure of a spell itself; its end is told here.
  if (r.failing) failingShown_ = true;
  if (failingShown_ && !r.failing) {
    failingShown_ = false;
    events_("writing again: " + r.currentName);
  }
}

void RecordJob::WatchLink(HeadlessHost& host) {
  const auto event = keeper_.Watch(host.State().receiver.Counters().totalInput, host.PortOpen(), host.NowMs(),
                                   [&host] { host.Reopen(); });
  switch (event) {
    case LinkKeeper::Event::kNone: break;
    case LinkKeeper::Event::kLostGone: events_("link lost: the port has gone"); break;
    case LinkKeeper::Event::kLostSilent:
      events_(Format("link lost: no data for %lld s", static_cast<long long>(request_.silenceMs / 1000)));
      break;
    case LinkKeeper::Event::kBack: events_("link back"); break;
  }
}

// The network's troubles are told once a spell and never hold up the recording.
void RecordJob::Broadcast(const uint8_t* record) {
  ForEachRecordLine(record, [this](std::string_view line) {
    const bool sent = network_->Send(line);
    if (sent == !networkFailing_) return;
    networkFailing_ = !sent;
    events_(sent ? "udp: sending again" : "udp: cannot send to " + request_.udp + ": " + network_->Reason());
  });
}

Job::Outcome RecordJob::Interrupt() {
  if (host_ == nullptr) return Outcome::kDone;
  const int64_t bytes = host_->State().recording.byteCounter;
  BTStopRecordClick(host_->State());
  if (request_.state == kRecordRaw) {
    events_(Format("stopped: %lld bytes written", static_cast<long long>(bytes)));
  } else {
    events_(Format("stopped: %lld records accepted, %lld written", static_cast<long long>(accepted_),
                   static_cast<long long>(written_)));
  }
  return Outcome::kDone;
}

}  // namespace ql
