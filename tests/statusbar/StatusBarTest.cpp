#include "statusbar/StatusBar.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

// A logger port that is open on COM1, refreshed four times a second.
struct Line {
  StatusBar bar;
  StatusInputs in;
  int64_t nowMs = 1'000'000;

  Line() {
    in.link.com = 1;
    in.link.portOpen = true;
  }
  bool Refresh() { return bar.Update(in, nowMs); }
  // Time passes in quarter seconds; each quarter brings `packets` packets of 40 bytes.
  void Pass(int quarters, int packets = 0) {
    for (int q = 0; q < quarters; ++q) {
      nowMs += 250;
      in.link.packetsRecognised += static_cast<uint32_t>(packets);
      in.link.bytesRead += static_cast<uint32_t>(packets * 40);
      Refresh();
    }
  }
  const StatusBar::Texts& Shown() const { return bar.Shown(); }
};

TEST(StatusBar, LinkStatesFromWhatThePortDelivers) {
  Line line;
  line.in.link.com = 0;
  line.in.link.portOpen = false;
  line.Refresh();
  EXPECT_EQ(line.Shown().link, "Link: no logger port selected");
  EXPECT_FALSE(line.Shown().linkAlarm);
  EXPECT_EQ(line.bar.Link(), LinkState::kNoPort);

  // Chosen but not open (the device is missing or was pulled).
  line.in.link.com = 3;
  line.Refresh();
  EXPECT_EQ(line.Shown().link, "Link: COM3 is closed");
  EXPECT_TRUE(line.Shown().linkAlarm);

  // Opened: silent from that moment until data come.
  line.in.link.portOpen = true;
  line.Refresh();
  line.Pass(12);
  EXPECT_EQ(line.Shown().link, "Link: silent for 3 s");
  EXPECT_TRUE(line.Shown().linkAlarm);

  // Five packets a quarter second.
  line.Pass(8, 5);
  EXPECT_EQ(line.Shown().link, "Link: receiving, 20 packets/s");
  EXPECT_FALSE(line.Shown().linkAlarm);

  // Bytes keep coming but no packet is recognised: the line speed is wrong.
  for (int q = 0; q < 16; ++q) {
    line.in.link.bytesRead += 100;
    line.Pass(1);
  }
  EXPECT_EQ(line.Shown().link, "Link: bytes but no packets for 4 s - wrong line speed?");
  EXPECT_TRUE(line.Shown().linkAlarm);

  // Then nothing at all.
  line.Pass(20);
  EXPECT_EQ(line.Shown().link, "Link: silent for 5 s");

  // A replay delivers its packets in place of the port, open or not.
  line.in.link.portOpen = false;
  line.in.link.replaying = true;
  line.Pass(8, 2);
  EXPECT_EQ(line.Shown().link, "Link: replaying an archive, 8 packets/s");
}

TEST(StatusBar, LossCountsSinceThePortOpened) {
  Line line;
  line.in.records = {500, 7};  // from an earlier session
  line.Refresh();
  EXPECT_EQ(line.Shown().loss, "Since the port opened: 0 records accepted, 0 lost");
  line.in.records = {620, 9};
  line.Pass(1);
  EXPECT_EQ(line.Shown().loss, "Since the port opened: 120 records accepted, 2 lost");

  // Closed: the counts of that session stay in sight.
  line.in.link.portOpen = false;
  line.Pass(1);
  EXPECT_EQ(line.Shown().loss, "Since the port opened: 120 records accepted, 2 lost");
  // Opened again: counted afresh.
  line.in.link.portOpen = true;
  line.in.records = {630, 9};
  line.Pass(1);
  EXPECT_EQ(line.Shown().loss, "Since the port opened: 0 records accepted, 0 lost");
  // Another COM port is another session too.
  line.in.records = {640, 10};
  line.Pass(1);
  line.in.link.com = 2;
  line.Pass(1);
  EXPECT_EQ(line.Shown().loss, "Since the port opened: 0 records accepted, 0 lost");

  line.in.link.replaying = true;
  line.in.records = {650, 12};
  line.Pass(1);
  line.in.records = {651, 15};
  line.Pass(1);
  EXPECT_EQ(line.Shown().loss, "Since the replay began: 1 records accepted, 3 lost");
}

TEST(StatusBar, RecordingFileCountsAndLastWrite) {
  Line line;
  line.Refresh();
  EXPECT_EQ(line.Shown().recording, "");

  line.in.recording.state = 2;
  line.in.recording.fileName = "/data/cruise 7/cast.arc";
  line.Pass(1);
  EXPECT_EQ(line.Shown().recording, "Recording to cast.arc: 0 records, 0 KB, nothing written yet");
  EXPECT_EQ(line.Shown().recordingWhole, "/data/cruise 7/cast.arc");
  EXPECT_FALSE(line.Shown().recordingAlarm);

  line.in.recording.records = 40;
  line.in.recording.bytes = 5000;
  line.Pass(1);
  line.Pass(12);
  EXPECT_EQ(line.Shown().recording, "Recording to cast.arc: 40 records, 4 KB, last write 3 s ago");

  // The disk refuses: red, with the system's reason, until a write succeeds again.
  line.in.recording.failing = true;
  line.in.recording.failure = "No space left on device";
  line.Pass(1);
  EXPECT_EQ(line.Shown().recording, "NOT RECORDING: No space left on device - cast.arc");
  EXPECT_TRUE(line.Shown().recordingAlarm);

  // Stopped: nothing is said about recording, and nothing in red.
  line.in.recording = {};
  line.Pass(1);
  EXPECT_EQ(line.Shown().recording, "");
  EXPECT_FALSE(line.Shown().recordingAlarm);

  // A raw file counts bytes only; a replay says how long it has played.
  line.in.recording.state = 1;
  line.in.recording.fileName = "line.raw";
  line.Pass(1);
  line.in.recording.bytes = 4096;
  line.Pass(1);
  EXPECT_EQ(line.Shown().recording, "Recording raw input to line.raw: 4 KB, last write 0 s ago");
  line.in.recording.state = 6;
  line.in.recording.caption = "Continuous Archive Replay:  1.250 secs";
  line.Pass(1);
  EXPECT_EQ(line.Shown().recording, "Continuous Archive Replay:  1.250 secs");
  EXPECT_FALSE(line.Shown().recordingAlarm);
  line.in.recording.caption = "Continuous Archive Replay:  2.250 secs";
  line.Pass(1);
  EXPECT_EQ(line.Shown().recording, "Continuous Archive Replay:  2.250 secs");
}

TEST(StatusBar, UploadRunAndPercent) {
  Line line;
  line.in.upload = {true, 12, 0, 0};
  line.Refresh();
  EXPECT_EQ(line.Shown().upload, "Uploading run.012: 0 %");
  line.in.upload.expected = 4000;
  line.in.upload.received = 1800;
  line.Pass(1);
  EXPECT_EQ(line.Shown().upload, "Uploading run.012: 45 %");
  // More than the directory said is still at most the whole.
  line.in.upload.received = 4100;
  line.Pass(1);
  EXPECT_EQ(line.Shown().upload, "Uploading run.012: 100 %");
  line.in.upload = {};
  line.Pass(1);
  EXPECT_EQ(line.Shown().upload, "");
}

TEST(StatusBar, RefreshThatFindsNothingNewReportsNoChange) {
  Line line;
  EXPECT_TRUE(line.Refresh());
  line.Pass(8, 5);
  // Steady traffic: the rate stays, the texts stay.
  line.nowMs += 250;
  line.in.link.packetsRecognised += 5;
  line.in.link.bytesRead += 200;
  EXPECT_FALSE(line.Refresh());
  EXPECT_FALSE(line.Refresh());
  line.in.records.lost += 1;
  EXPECT_TRUE(line.Refresh());
}

}  // namespace
}  // namespace ql
