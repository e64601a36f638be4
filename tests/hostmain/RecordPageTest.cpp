#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <map>

#include "MainWindowFixture.h"
#include "archive/ArchiveRecord.h"
#include "dialogs/WidgetColour.h"
#include "plot/StatusLog.h"
#include "support/Packets.h"
#include "support/TempDirectory.h"

namespace ql {
namespace {

struct RecordPageTest : test::MainWindowFixture {
  test::TempDirectory dir;

  void SetUp() override {
    MainWindowFixture::SetUp();
    Form().ModesMenuClick(kRealTimeData);
    Choose("LoggerPortCB", 1);
  }
  void Click(const char* button) { Find<QPushButton>(button)->click(); }
  QString LabelText(const char* name) { return Find<QLabel>(name)->text(); }
  QString RecordTab() {
    QTabWidget* tabs = Find<QTabWidget>("Tabs");
    return tabs->tabText(kTSRecord);
  }
  bool StartButtonsEnabled() {
    bool all = true;
    for (const char* b : {"BTRecordArchive", "BTRecord1Hour", "BTRecord1Day", "BTRecordRaw", "ReplayArchiveBT",
                          "ReplayContinuousBT"}) {
      all = all && Find<QPushButton>(b)->isEnabled();
    }
    return all;
  }
  void SendData(int sequence, const std::string& text) {
    test::DataPacketFields f;
    f.sequence = static_cast<uint8_t>(sequence);
    f.sources[0] = text;
    wire->Push(test::DataPacket(f));
  }
};

TEST_F(RecordPageTest, RecordingAnArchiveShowsItsStateNameAndSize) {
  EXPECT_EQ(Find<QPushButton>("BTRecordArchive")->text(), "Record Archive");
  EXPECT_TRUE(Find<QPushButton>("BTRecordRaw")->isHidden());
  EXPECT_TRUE(StartButtonsEnabled());

  const std::string name = dir.File("cast.arc");
  person.files.push_back(name);
  Click("BTRecordArchive");
  EXPECT_FALSE(StartButtonsEnabled());
  EXPECT_EQ(LabelText("LBArchiveFileName"), QString::fromStdString("Archive File:  " + name));
  for (int seq = 0; seq < 3; ++seq) SendData(seq, std::string(600, 'a'));
  Second();
  EXPECT_EQ(LabelText("LBRecordStatus"), "Recording:  Archive File");
  EXPECT_EQ(RecordTab(), "Recording:  Archive File");
  EXPECT_EQ(LabelText("LBArchiveFileSize"), "File Size:         1 K");

  Click("BTStopRecord");
  EXPECT_TRUE(StartButtonsEnabled());
  Second();
  EXPECT_EQ(RecordTab(), "Recording:  OFF");
  EXPECT_EQ(test::ReadFileBytes(name).size(), 3u * (600 + archive::kEnvelope));
}

TEST_F(RecordPageTest, ExitWhileRecordingSaysWhichFile) {
  const std::string name = dir.File("cast.arc");
  person.files.push_back(name);
  Click("BTRecordArchive");
  person.Script(Operator::Answer::Cancel);
  Action("Exit1")->trigger();
  ASSERT_EQ(person.questions.size(), 1u);
  EXPECT_EQ(person.questions[0].text, "Data are being recorded into the archive file " + name +
                                          "; leaving now ends the recording.\n\nEXIT Program?");
  Click("BTStopRecord");
  person.Script(Operator::Answer::Cancel);
  Action("Exit1")->trigger();
  EXPECT_EQ(person.questions[1].text, "EXIT Program?");
}

TEST_F(RecordPageTest, AFullDiskIsReportedOnceAndShownInRed) {
  person.files.push_back("/dev/full");
  Click("BTRecordArchive");
  for (int seq = 0; seq < 4; ++seq) SendData(seq, "T=1\r\n");
  Second();
  ASSERT_EQ(person.boxes.size(), 1u);
  EXPECT_EQ(person.boxes[0].caption, "File Error");
  EXPECT_TRUE(LabelText("LBRecordStatus").startsWith("Recording:  Archive File  -  NOT RECORDING: "));
  EXPECT_EQ(AppliedColour(Find<QLabel>("LBRecordStatus"), kButtonFace), kRed);
  EXPECT_EQ(LabelText("LBArchiveFileSize"), "File Size:         0 K");
}

TEST_F(RecordPageTest, ReplayPlaysTheFileAndItsEndBringsTheButtonsBack) {
  // No host mode offers replay; a host setup file can show the controls.
  EXPECT_TRUE(Find<QPushButton>("ReplayArchiveBT")->isHidden());
  Host().recording.replay.controlsVisible.fill(true);
  Form().ModesMenuClick(kAdvancedUser);
  EXPECT_TRUE(Find<QPushButton>("ReplayArchiveBT")->isHidden());
  Host().recording.replay.controlsVisible.fill(true);
  Action("MenuReplay")->trigger();
  EXPECT_TRUE(Find<QSpinBox>("ReplaySpeedUD")->isHidden());

  std::vector<uint8_t> archive;
  for (int seq = 0; seq < 4; ++seq) {
    test::DataPacketFields f;
    f.sequence = static_cast<uint8_t>(seq);
    f.sources[0] = "replayed";
    std::vector<uint8_t> p = test::DataPacket(f);
    uint8_t* record = p.data() + 2;
    archive::SwapHeaderOrder(record);
    archive.insert(archive.end(), record, record + p.size() - 4);
  }
  const std::string name = dir.File("old.arc");
  test::WriteFileBytes(name, archive);
  QSpinBox* speed = Find<QSpinBox>("ReplaySpeedUD");
  EXPECT_EQ(speed->value(), 6);
  EXPECT_NE(speed->findChild<QLineEdit*>("ReplaySpeedEdit"), nullptr);
  speed->setValue(10);
  person.files.push_back(name);
  Click("ReplayArchiveBT");
  EXPECT_EQ(Host().recording.state, kReplayArchive);
  EXPECT_FALSE(StartButtonsEnabled());
  FastTicks(10);
  EXPECT_TRUE(StartButtonsEnabled());
  EXPECT_EQ(Host().senders.packets[2], 4u);
  Second();
  EXPECT_EQ(RecordTab(), "Recording:  OFF");
}

TEST_F(RecordPageTest, WaterSampleMarksLandInTheRecordedArchive) {
  const std::string name = dir.File("marks.arc");
  person.files.push_back(name);
  Click("BTRecordArchive");
  Action("MenuAnnotateFile")->trigger();
  TAnnotationForm* form = windows.annotationForm;
  ASSERT_TRUE(form->isVisible());
  auto label = [form](const char* n) { return form->findChild<QLabel*>(n)->text(); };
  EXPECT_EQ(label("LBNext"), "Next Water Sample:  1");

  form->findChild<QPushButton*>("BTStart")->click();
  EXPECT_EQ(label("LBAnnotation"), "Start Sample 1");
  EXPECT_EQ(label("LBNext"), "Next Water Sample:  2");
  EXPECT_EQ(label("AnnotateDANDT"), QString::fromStdString(Host().recording.annotation.markTime));
  Second();
  Second();
  form->findChild<QSpinBox*>("UDNext")->setValue(5);
  EXPECT_EQ(label("LBNext"), "Next Water Sample: 5");
  form->findChild<QLineEdit*>("EDITAnnotation")->setText("CTD on deck");
  form->findChild<QPushButton*>("BTSend")->click();
  EXPECT_TRUE(form->findChild<QLineEdit*>("EDITAnnotation")->text().isEmpty());
  form->findChild<QPushButton*>("BTEnd")->click();  // within the same interval
  ASSERT_EQ(person.boxes.size(), 1u);
  EXPECT_EQ(person.boxes[0].caption, "Error - Unable to insert this record into the Archive File");
  form->findChild<QPushButton*>("BTClose")->click();
  EXPECT_FALSE(form->isVisible());
  Second();
  Second();
  Click("BTStopRecord");

  const std::vector<uint8_t> file = test::ReadFileBytes(name);
  const std::string text(file.begin(), file.end());
  EXPECT_NE(text.find(" Start Sample 1\r\n####"), std::string::npos);
  EXPECT_NE(text.find(" End Sample 1\r\n####"), std::string::npos);
  EXPECT_EQ(text.find("CTD on deck"), std::string::npos);
  EXPECT_EQ(file[archive::kSender], 1);
}

// The Recording page's starts against the simulated logger, which sends its status every
// second.
struct RecordStatusLogTest : test::SimulatedWindowFixture {
  test::TempDirectory dir;

  // The status logs in the folder, by name, and how many rows each holds.
  std::map<std::string, int> StatusLogs() {
    std::map<std::string, int> logs;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path)) {
      const std::string name = entry.path().filename().string();
      if (!name.ends_with(StatusLog::kSuffix)) continue;
      const std::vector<uint8_t> bytes = test::ReadFileBytes(entry.path().string());
      logs[name] = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n')) - 1;
    }
    return logs;
  }
  // Starts a recording with `button`, the operator naming `name`; two seconds later it
  // stops. Returns the name of the file that was recorded.
  std::string RecordTwoSeconds(const char* button, const std::string& name) {
    person.ScriptFile(dir.File(name));
    Find<QPushButton>(button)->click();
    EXPECT_NE(Host().recording.state, kRecordOff) << button;
    const std::string recorded = std::filesystem::path(Host().recording.currentName).filename().string();
    Second();
    Second();
    Find<QPushButton>("BTStopRecord")->click();
    Second();
    return recorded;
  }
};

TEST_F(RecordStatusLogTest, EveryRecordingLogsBesideItsOwnFile) {
  // A continuous archive first, with no hourly start before it.
  EXPECT_EQ(RecordTwoSeconds("BTRecordArchive", "cast.arc"), "cast.arc");
  EXPECT_EQ(StatusLogs(), (std::map<std::string, int>{{"cast.arc.status.csv", 2}}));

  // An hourly series logs beside the hour's file.
  const std::string hour = RecordTwoSeconds("BTRecord1Hour", "castA");
  EXPECT_TRUE(hour.starts_with("castA") && hour.size() > 5) << hour;
  // A raw file after it keeps its rows out of the series' log; so does a daily series.
  EXPECT_EQ(RecordTwoSeconds("BTRecordRaw", "input.raw"), "input.raw");
  const std::string day = RecordTwoSeconds("BTRecord1Day", "castB");
  EXPECT_EQ(StatusLogs(), (std::map<std::string, int>{{"cast.arc.status.csv", 2},
                                                      {hour + ".status.csv", 2},
                                                      {"input.raw.status.csv", 2},
                                                      {day + ".status.csv", 2}}));
  EXPECT_TRUE(person.boxes.empty());
}

}  // namespace
}  // namespace ql
