#include "StatusBar.h"

#include <algorithm>
#include <filesystem>

#include "common/Format.h"

namespace ql {
namespace {

// Which figure a link text carries.
enum class Figure { kNone, kCom, kRate, kSecondsSincePacket, kSecondsSinceByte };

struct LinkRow {
  LinkState state;
  const char* format;  // takes the figure, if any, as an int
  Figure figure;
  bool alarm;
};

constexpr LinkRow kLinkRows[] = {
    {LinkState::kNoPort, "Link: no logger port selected", Figure::kNone, false},
    {LinkState::kPortClosed, "Link: COM%d is closed", Figure::kCom, true},
    {LinkState::kReconnecting, "Link: COM%d has gone - reconnecting", Figure::kCom, true},
    {LinkState::kReplaying, "Link: replaying an archive, %d packets/s", Figure::kRate, false},
    {LinkState::kReceiving, "Link: receiving, %d packets/s", Figure::kRate, false},
    {LinkState::kWrongSpeed, "Link: bytes but no packets for %d s - wrong line speed?", Figure::kSecondsSincePacket,
     true},
    {LinkState::kSilent, "Link: silent for %d s", Figure::kSecondsSinceByte, true},
};

const LinkRow& RowOf(LinkState state) {
  for (const LinkRow& row : kLinkRows) {
    if (row.state == state) return row;
  }
  return kLinkRows[0];
}

// The first matching line decides.
LinkState ClassifyLink(const StatusInputs::Link& link, int64_t sincePacketMs, int64_t sinceByteMs) {
  if (link.replaying) return LinkState::kReplaying;
  if (link.com == 0) return LinkState::kNoPort;
  if (!link.portOpen) return link.reconnecting ? LinkState::kReconnecting : LinkState::kPortClosed;
  if (sincePacketMs < StatusBar::kQuietMs) return LinkState::kReceiving;
  if (sinceByteMs < StatusBar::kQuietMs) return LinkState::kWrongSpeed;
  return LinkState::kSilent;
}

bool Records(int state) { return state >= 1 && state <= 4; }
bool Replays(int state) { return state == 5 || state == 6; }

std::string BaseName(std::string_view name) { return std::filesystem::path(name).filename().string(); }

}  // namespace

bool StatusBar::Update(const StatusInputs& in, int64_t nowMs) {
  FollowSession(in, nowMs);
  FollowLink(in.link, nowMs);
  FollowWrites(in.recording, nowMs);
  const Facts facts = Judge(in, nowMs);
  if (!first_ && facts == facts_) return false;
  first_ = false;
  facts_ = facts;
  Texts texts = Describe(facts, in);
  if (texts == texts_) return false;
  texts_ = std::move(texts);
  return true;
}

void StatusBar::FollowSession(const StatusInputs& in, int64_t nowMs) {
  const Session now = in.link.replaying ? Session::kReplay : in.link.portOpen ? Session::kPort : Session::kNone;
  const bool begins = now != Session::kNone && (now != session_ || (now == Session::kPort && in.link.com != sessionCom_));
  if (begins) {
    base_ = in.records;
    lastByteMs_ = lastPacketMs_ = rateFromMs_ = nowMs;
    bytesSeen_ = in.link.bytesRead;
    packetsSeen_ = rateFromPackets_ = in.link.packetsRecognised;
    packetsPerSecond_ = 0;
    lossSession_ = now;
  }
  session_ = now;
  sessionCom_ = in.link.com;
}

void StatusBar::FollowLink(const StatusInputs::Link& link, int64_t nowMs) {
  if (link.bytesRead != bytesSeen_) {
    bytesSeen_ = link.bytesRead;
    lastByteMs_ = nowMs;
  }
  if (link.packetsRecognised != packetsSeen_) {
    packetsSeen_ = link.packetsRecognised;
    lastPacketMs_ = nowMs;
  }
  const int64_t span = nowMs - rateFromMs_;
  if (span >= 1000 || span < 0) {
    const int64_t count = link.packetsRecognised - rateFromPackets_;
    packetsPerSecond_ = span > 0 ? static_cast<int>((count * 1000 + span / 2) / span) : 0;
    rateFromMs_ = nowMs;
    rateFromPackets_ = link.packetsRecognised;
  }
}

void StatusBar::FollowWrites(const StatusInputs::Recording& r, int64_t nowMs) {
  if (r.state != recordState_) {
    recordState_ = r.state;
    bytesWritten_ = r.bytes;
    lastWriteMs_ = -1;
  } else if (r.bytes != bytesWritten_) {
    bytesWritten_ = r.bytes;
    lastWriteMs_ = nowMs;
  }
  if (r.fileName != recordName_) {
    recordName_ = r.fileName;
    ++nameChanges_;
  }
  if (Replays(r.state) && r.caption != caption_) {
    caption_ = r.caption;
    ++captionChanges_;
  }
}

StatusBar::Facts StatusBar::Judge(const StatusInputs& in, int64_t nowMs) const {
  Facts f;
  f.link = ClassifyLink(in.link, nowMs - lastPacketMs_, nowMs - lastByteMs_);
  switch (RowOf(f.link).figure) {
    case Figure::kNone: break;
    case Figure::kCom: f.linkFigure = in.link.com; break;
    case Figure::kRate: f.linkFigure = packetsPerSecond_; break;
    case Figure::kSecondsSincePacket: f.linkFigure = static_cast<int>((nowMs - lastPacketMs_) / 1000); break;
    case Figure::kSecondsSinceByte: f.linkFigure = static_cast<int>((nowMs - lastByteMs_) / 1000); break;
  }
  f.session = lossSession_;
  f.accepted = in.records.accepted - base_.accepted;
  f.lost = in.records.lost - base_.lost;
  const int state = in.recording.state;
  f.recordState = Records(state) || Replays(state) ? state : 0;
  if (Replays(state)) f.captionChanges = captionChanges_;
  if (Records(state)) {
    f.failing = in.recording.failing;
    f.records = in.recording.records;
    f.kilobytes = in.recording.bytes / 1024;
    f.secondsSinceWrite = lastWriteMs_ < 0 ? -1 : (nowMs - lastWriteMs_) / 1000;
    f.nameChanges = nameChanges_;
  }
  f.uploading = in.upload.active;
  if (f.uploading) {
    f.run = in.upload.run;
    const int64_t expected = in.upload.expected;
    f.percent = expected > 0 ? static_cast<int>(std::min<int64_t>(in.upload.received, expected) * 100 / expected) : 0;
  }
  return f;
}

StatusBar::Texts StatusBar::Describe(const Facts& f, const StatusInputs& in) const {
  Texts t;
  const LinkRow& row = RowOf(f.link);
  t.link = row.figure == Figure::kNone ? std::string(row.format) : Format(row.format, f.linkFigure);
  t.linkAlarm = row.alarm;

  const auto accepted = static_cast<unsigned long>(f.accepted);
  const auto lost = static_cast<unsigned long>(f.lost);
  if (f.session == Session::kPort) t.loss = Format("Since the port opened: %lu records accepted, %lu lost", accepted, lost);
  if (f.session == Session::kReplay) t.loss = Format("Since the replay began: %lu records accepted, %lu lost", accepted, lost);

  if (Replays(f.recordState)) t.recording = std::string(in.recording.caption);
  if (Records(f.recordState)) {
    const std::string name = BaseName(in.recording.fileName);
    t.recordingWhole = std::string(in.recording.fileName);
    const std::string lastWrite = f.secondsSinceWrite < 0 ? std::string("nothing written yet")
                                                          : Format("last write %lld s ago", static_cast<long long>(f.secondsSinceWrite));
    const auto kb = static_cast<long long>(f.kilobytes);
    if (f.failing) {
      t.recording = Format("NOT RECORDING: %s - %s", std::string(in.recording.failure).c_str(), name.c_str());
      t.recordingAlarm = true;
    } else if (f.recordState == 1) {
      t.recording = Format("Recording raw input to %s: %lld KB, %s", name.c_str(), kb, lastWrite.c_str());
    } else {
      t.recording = Format("Recording to %s: %lld records, %lld KB, %s", name.c_str(), static_cast<long long>(f.records), kb,
                           lastWrite.c_str());
    }
  }
  if (f.uploading) t.upload = Format("Uploading run.%03d: %d %%", f.run, f.percent);
  return t;
}

}  // namespace ql
