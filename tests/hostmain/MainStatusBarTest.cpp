#include <QApplication>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>

#include "MainWindowFixture.h"
#include "dialogs/WidgetColour.h"
#include "support/TempDirectory.h"

namespace ql {
namespace {

struct MainStatusBarTest : test::SimulatedWindowFixture {
  test::TempDirectory dir;

  QString Shown(const char* label) {
    Form().StatusBarTimer();
    return Find<QLabel>(label)->text();
  }
  // Seconds of the running host, with the status bar's refresh in each.
  void Seconds(int n) {
    for (int i = 0; i < n; ++i) {
      Second();
      Form().StatusBarTimer();
    }
  }
  void SetUp() override {
    SimulatedWindowFixture::SetUp();
    Form().resize(1024, 768);
    Form().show();
    Form().StatusBarTimer();  // the port has just opened
  }
};

TEST_F(MainStatusBarTest, LinkLossAndRecordingFromTheRunningHost) {
  Seconds(3);
  EXPECT_TRUE(Shown("StatusLink").startsWith("Link: receiving, ")) << Shown("StatusLink").toStdString();
  const uint32_t accepted = Host().senders.acceptedTotal;
  ASSERT_GT(accepted, 0u);
  EXPECT_EQ(Shown("StatusLoss"), QString("Since the port opened: %1 records accepted, 0 lost").arg(accepted));
  EXPECT_EQ(Shown("StatusRecording"), "");

  const std::string name = dir.File("cast.arc");
  person.files.push_back(name);
  Find<QPushButton>("BTRecordArchive")->click();
  Seconds(2);
  const QString recording = Shown("StatusRecording");
  EXPECT_TRUE(recording.startsWith(QString("Recording to cast.arc: %1 records, ").arg(Host().recording.recordsWritten)))
      << recording.toStdString();
  EXPECT_TRUE(recording.endsWith("last write 0 s ago")) << recording.toStdString();
  EXPECT_EQ(Find<QLabel>("StatusRecording")->toolTip(), QString::fromStdString(name));
  EXPECT_EQ(AppliedColour(Find<QLabel>("StatusRecording"), kButtonFace), kButtonFace);
  Find<QPushButton>("BTStopRecord")->click();
  EXPECT_EQ(Shown("StatusRecording"), "");

  // A full disk: red, with the reason; Stop clears it.
  person.files.push_back("/dev/full");
  Find<QPushButton>("BTRecordArchive")->click();
  Seconds(2);
  EXPECT_TRUE(Shown("StatusRecording").startsWith("NOT RECORDING: ")) << Shown("StatusRecording").toStdString();
  EXPECT_EQ(AppliedColour(Find<QLabel>("StatusRecording"), kButtonFace), kRed);
  Find<QPushButton>("BTStopRecord")->click();
  EXPECT_EQ(Shown("StatusRecording"), "");
  EXPECT_EQ(AppliedColour(Find<QLabel>("StatusRecording"), kButtonFace), kButtonFace);

  // The logger falls silent.
  logger->faults().silent = true;
  Seconds(4);
  EXPECT_TRUE(Shown("StatusLink").startsWith("Link: silent for ")) << Shown("StatusLink").toStdString();
  EXPECT_EQ(AppliedColour(Find<QLabel>("StatusLink"), kButtonFace), kYellow);
}

// An adapter pulled out under the open logger port: the status bar says so while the
// port is tried again, quietly, and the port is open and receiving once it is back,
// with no one choosing it again. Choosing no port lets it go.
TEST_F(MainStatusBarTest, APulledAdapterIsReconnectedWithoutTheOperator) {
  Seconds(2);
  logger->faults().adapterOut = true;
  Seconds(12);
  EXPECT_EQ(Shown("StatusLink"), "Link: COM1 has gone - reconnecting");
  EXPECT_EQ(AppliedColour(Find<QLabel>("StatusLink"), kButtonFace), kYellow);
  QApplication::processEvents();
  const int goneWidth = Find<QLabel>("StatusLink")->width();
  EXPECT_FALSE(Host().ports.IsPortOpen(PortTable::kLoggerSlot));
  for (const auto& box : person.boxes) ADD_FAILURE() << box.caption << ": " << box.text;

  logger->faults().adapterOut = false;
  const uint32_t before = Host().senders.acceptedTotal;
  Seconds(8);
  EXPECT_TRUE(Host().ports.IsPortOpen(PortTable::kLoggerSlot));
  EXPECT_TRUE(Shown("StatusLink").startsWith("Link: receiving, ")) << Shown("StatusLink").toStdString();
  EXPECT_GT(Host().senders.acceptedTotal, before);
  // The shorter text takes less room again: the counts beside it do not drift away.
  QApplication::processEvents();
  EXPECT_LT(Find<QLabel>("StatusLink")->width(), goneWidth);

  Choose("LoggerPortCB", 0);
  logger->faults().adapterOut = true;
  Seconds(8);
  EXPECT_EQ(Shown("StatusLink"), "Link: no logger port selected");
  logger->faults().adapterOut = false;
  Seconds(8);
  EXPECT_FALSE(Host().ports.IsPortOpen(PortTable::kLoggerSlot));
}

TEST_F(MainStatusBarTest, FilesMenuReplaysAnArchiveTheRecordingWrote) {
  const std::string name = dir.File("cast.arc");
  person.files.push_back(name);
  Find<QPushButton>("BTRecordArchive")->click();
  Seconds(4);
  Find<QPushButton>("BTStopRecord")->click();
  const int64_t written = Host().recording.recordsWritten;
  ASSERT_GT(written, 2);

  // The logger port goes quiet; what arrives now is the replay.
  Choose("LoggerPortCB", 0);
  QAction* replay = Action("FilesReplayArchive");
  EXPECT_EQ(replay->text(), "Replay Archive...");
  EXPECT_EQ(Action("FilesReplayContinuous")->text(), "Replay Archive Continuously...");
  EXPECT_TRUE(replay->isVisible());
  EXPECT_TRUE(Find<QPushButton>("ReplayArchiveBT")->isHidden());
  const uint32_t accepted = Host().senders.acceptedTotal;
  const uint32_t lost = Host().senders.sequenceErrorTotal;
  person.files.push_back(name);
  replay->trigger();
  Form().StatusBarTimer();
  EXPECT_EQ(Host().recording.state, kReplayArchive);
  EXPECT_EQ(Find<QTabWidget>("Tabs")->currentIndex(), static_cast<int>(kTSRecord));
  EXPECT_FALSE(Find<QPushButton>("ReplayArchiveBT")->isHidden());
  EXPECT_FALSE(Find<QSpinBox>("ReplaySpeedUD")->isHidden());
  EXPECT_FALSE(replay->isEnabled());
  FastTicks(static_cast<int>(written) * 3 + 20);
  EXPECT_EQ(Host().recording.state, kRecordOff);
  // Every record came back through the link: taken, or counted where its sender's
  // sequence restarts.
  const uint32_t replayedAccepted = Host().senders.acceptedTotal - accepted;
  const uint32_t replayedLost = Host().senders.sequenceErrorTotal - lost;
  EXPECT_EQ(static_cast<int64_t>(replayedAccepted + replayedLost), written);
  EXPECT_GT(replayedAccepted, 0u);
  EXPECT_EQ(Shown("StatusLoss"),
            QString("Since the replay began: %1 records accepted, %2 lost").arg(replayedAccepted).arg(replayedLost));
  // Ended: the controls the mode hides are hidden again, the items usable again.
  EXPECT_TRUE(Find<QPushButton>("ReplayArchiveBT")->isHidden());
  EXPECT_TRUE(replay->isEnabled());

  // Modes without the Real Time Data page offer no replay.
  Action("MenuMoored")->trigger();
  EXPECT_FALSE(replay->isVisible());
  EXPECT_FALSE(Action("FilesReplayContinuous")->isVisible());
  Action("PCLogger")->trigger();
  EXPECT_TRUE(replay->isVisible());
}

}  // namespace
}  // namespace ql
