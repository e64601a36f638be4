#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ql {

// What the status bar is built from: a snapshot of the state the host already keeps,
// taken at each refresh. The strings are only read during the refresh.
struct StatusInputs {
  struct Link {
    int com = 0;            // the logger port's COM number, 0 when none is selected
    bool portOpen = false;  // the logger port's slot is open
    bool replaying = false; // an archive is played back in place of the port
    bool reconnecting = false;  // the port has gone and is being opened again
    uint32_t bytesRead = 0;          // total input, never reset
    uint32_t packetsRecognised = 0;  // never reset
  };
  struct Records {
    uint32_t accepted = 0;  // in-sequence data records over all senders, never reset
    uint32_t lost = 0;      // sequence errors over all senders, never reset
  };
  struct Recording {
    int state = 0;  // the recording state value: 1..4 record, 5 and 6 replay
    std::string_view caption;  // the Recording page's status text
    std::string_view fileName;
    int64_t records = 0;  // written since recording started
    int64_t bytes = 0;
    bool failing = false;
    std::string_view failure;  // the system's reason
  };
  struct Upload {
    bool active = false;
    int run = 0;
    int64_t received = 0;
    int64_t expected = 0;
  };
  Link link;
  Records records;
  Recording recording;
  Upload upload;
};

// The state of the logger link as the status bar names it. A new state is a new row of
// the table in StatusBar.cpp and a new line in ClassifyLink.
enum class LinkState { kNoPort, kPortClosed, kReconnecting, kReplaying, kReceiving, kWrongSpeed, kSilent };

// The texts of the main window's status bar, decided from snapshots and the time they
// were taken. A refresh that finds nothing new formats nothing and reports no change.
class StatusBar {
 public:
  // Packets within this span count as "receiving"; bytes without packets for longer
  // look like a wrong line speed.
  static constexpr int64_t kQuietMs = 2000;

  struct Texts {
    std::string link;
    bool linkAlarm = false;
    std::string loss;
    std::string recording;       // empty while nothing records or replays
    std::string recordingWhole;  // the file's whole name, for a tooltip
    bool recordingAlarm = false; // "NOT RECORDING", shown in red
    std::string upload;          // empty while no upload runs
    bool operator==(const Texts&) const = default;
  };

  // True when any text changed since the last refresh.
  bool Update(const StatusInputs& in, int64_t nowMs);
  const Texts& Shown() const { return texts_; }
  LinkState Link() const { return facts_.link; }

 private:
  enum class Session { kNone, kPort, kReplay };
  // Everything the texts depend on, in whole numbers: equal facts make equal texts.
  struct Facts {
    LinkState link = LinkState::kNoPort;
    int linkFigure = 0;  // COM number, packets per second or seconds, by state
    Session session = Session::kNone;
    uint32_t accepted = 0;
    uint32_t lost = 0;
    int recordState = 0;
    bool failing = false;
    int64_t records = 0;
    int64_t kilobytes = 0;
    int64_t secondsSinceWrite = -1;  // -1: no write yet
    int nameChanges = 0;  // an hourly or daily series moved on to its next file
    int captionChanges = 0;  // a replay's seconds
    bool uploading = false;
    int run = 0;
    int percent = 0;
    bool operator==(const Facts&) const = default;
  };

  void FollowSession(const StatusInputs& in, int64_t nowMs);
  void FollowLink(const StatusInputs::Link& link, int64_t nowMs);
  void FollowWrites(const StatusInputs::Recording& r, int64_t nowMs);
  Facts Judge(const StatusInputs& in, int64_t nowMs) const;
  Texts Describe(const Facts& f, const StatusInputs& in) const;

  Facts facts_;
  Texts texts_;
  bool first_ = true;
  // The session: the port as opened, or a replay.
  Session session_ = Session::kNone;
  Session lossSession_ = Session::kNone;  // the last session begun: its counts stay shown
  int sessionCom_ = 0;
  StatusInputs::Records base_;
  // The link's history.
  uint32_t bytesSeen_ = 0;
  uint32_t packetsSeen_ = 0;
  int64_t lastByteMs_ = 0;
  int64_t lastPacketMs_ = 0;
  int64_t rateFromMs_ = 0;
  uint32_t rateFromPackets_ = 0;
  int packetsPerSecond_ = 0;
  // The recording's history.
  int recordState_ = 0;
  std::string recordName_;
  int64_t bytesWritten_ = 0;
  int64_t lastWriteMs_ = -1;
  int nameChanges_ = 0;
  std::string caption_;
  int captionChanges_ = 0;
};

}  // namespace ql
