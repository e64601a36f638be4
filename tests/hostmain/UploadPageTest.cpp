#include <QButtonGroup>
#include <QGroupBox>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <fstream>

#include "MainWindowFixture.h"
#include "loggersim/SimulatedSerialDevice.h"

namespace ql {
namespace {

// The page TSUpload against the simulated logger in Standby, in Advanced User mode on
// COM1, with the TTimeout timer driven whenever the window runs it.
struct UploadPageTest : test::SimulatedWindowFixture {
  int64_t timeoutMs = 0;

  bool LoggerSamples() const override { return false; }
  void Elapse(int ms) override {
    SimulatedWindowFixture::Elapse(ms);
    QTimer* timeout = Form().findChild<QTimer*>("TTimeout");
    timeoutMs = timeout->isActive() ? timeoutMs + ms : 0;
    if (timeoutMs >= 1500) {
      timeoutMs -= 1500;
      Form().TTimeoutTimer();
    }
  }
  void SetUp() override {
    SimulatedWindowFixture::SetUp();
    Find<QTabWidget>("Tabs")->setCurrentWidget(Find<QWidget>("TSUpload"));
    Second();
  }
  QListWidget* List() { return Find<QListWidget>("LBProfiles"); }
  QString LabelText(const char* name) { return Find<QLabel>(name)->text(); }
  void ChooseExtraction(int index) {
    Find<QGroupBox>("ExtractFilesRG")->findChildren<QRadioButton*>()[index]->click();
  }
  void GetDirectory() {
    Find<QPushButton>("BTGetDirectory")->click();
    Second();
  }
  // The first two runs of the directory, "ZR Archive", into the start directory.
  void UploadTheFirstTwoRuns() {
    GetDirectory();
    List()->item(0)->setSelected(true);
    List()->item(1)->setSelected(true);
    ChooseExtraction(0);
    person.ScriptFile((startDir / "run.xxx").string());
    Find<QPushButton>("BTUpload")->click();
  }
  bool SecondsUntilIdle(int limit) {
    for (int i = 0; i < limit; ++i) {
      Second();
      if (Host().flash.upload.runsToUpload == 0) return true;
    }
    return false;
  }
  std::string Read(const std::string& name) {
    std::ifstream in(startDir / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::string Stored(size_t index) {
    const sim::Bytes& b = logger->flash().Runs()[index].bytes;
    return std::string(b.begin(), b.end());
  }
};

TEST_F(UploadPageTest, PageShowsItsControlsAndTheLoggersCaptions) {
  EXPECT_EQ(LabelText("LBHeader"), "Run #   Mode     Date           Time       Start    End        Size    ");
  EXPECT_EQ(LabelText("Label31"), "Voltage");
  EXPECT_EQ(LabelText("UpLoadRun"), "Run.xxx");
  EXPECT_EQ(LabelText("UpLoadSize"), "File Size: ");
  EXPECT_EQ(Find<QGroupBox>("ExtractFilesRG")->title(), "Extract File Types");
  EXPECT_EQ(Find<QPushButton>("BTUpload")->text(), "Upload Logger Data");
  EXPECT_EQ(Find<QPushButton>("BTCancelUpload")->text(), "Cancel Upload");
  EXPECT_EQ(Find<QPushButton>("BTClearMemory")->text(), "Clear QL-9 Memory");
  EXPECT_EQ(Find<QPushButton>("BTGetDirectory")->text(), "Get QL-9 Directory");
}

TEST_F(UploadPageTest, DirectoryFillsTheListAndAPageChangeEmptiesItButNotTheTable) {
  GetDirectory();
  ASSERT_EQ(List()->count(), 3);
  EXPECT_EQ(List()->item(0)->text().left(15), " 001     MOOR  ");
  EXPECT_EQ(LabelText("CSError"), "Run Number: 3");

  Find<QTabWidget>("Tabs")->setCurrentWidget(Find<QWidget>("TSRealTime"));
  Find<QTabWidget>("Tabs")->setCurrentWidget(Find<QWidget>("TSUpload"));
  EXPECT_EQ(List()->count(), 0);
  EXPECT_EQ(Host().flash.directory.entryCount, 3);

  person.ScriptFile((startDir / "run.xxx").string());
  ChooseExtraction(0);
  Find<QPushButton>("BTUpload")->click();  // nothing selectable: no dialog
  EXPECT_TRUE(person.fileDialogs.empty());

  GetDirectory();
  EXPECT_EQ(List()->count(), 3);
  person.Script(Operator::Answer::No);
  Find<QPushButton>("BTClearMemory")->click();
  EXPECT_EQ(List()->count(), 3);
}

TEST_F(UploadPageTest, UploadFromTheButtonsShowsProgressAndRunsTheTimeoutTimer) {
  GetDirectory();
  List()->item(0)->setSelected(true);
  List()->item(2)->setSelected(true);
  Find<QPushButton>("BTUpload")->click();
  ASSERT_EQ(person.boxes.size(), 1u);
  EXPECT_EQ(person.boxes[0].text, "Please Select the File Types To Be Extracted");

  ChooseExtraction(1);
  EXPECT_EQ(Host().flash.page.extractFiles, 1);
  person.ScriptFile((startDir / "run.xxx").string());
  Find<QPushButton>("BTUpload")->click();
  ASSERT_EQ(person.fileDialogs.size(), 1u);
  EXPECT_EQ(person.fileDialogs[0].title, "Save Logger File");
  EXPECT_EQ(person.fileDialogs[0].filter, "Run (run.000-run.999)|run.*");
  EXPECT_EQ(person.fileDialogs[0].fileName, "run.xxx");
  EXPECT_TRUE(person.fileDialogs[0].overwritePrompt);

  Second();  // the one-second tick starts the first run
  EXPECT_TRUE(Find<QTimer>("TTimeout")->isActive());
  ASSERT_TRUE(SecondsUntilIdle(60));
  EXPECT_EQ(Read("run.001"), Stored(0));
  EXPECT_EQ(Read("run.003"), Stored(2));
  EXPECT_FALSE(std::filesystem::exists(startDir / "run.002"));
  EXPECT_EQ(LabelText("UpLoadRun"), "Upload is Complete");
  EXPECT_EQ(LabelText("UpLoadSize"), QString("File Size:  %1 K").arg(Stored(2).size() / 1024));
  EXPECT_EQ(LabelText("CSError"), "Duplicate Packets:  0");
  QProgressBar* bar = Find<QProgressBar>("UpLoadPB");
  EXPECT_EQ(bar->value(), bar->maximum());
  EXPECT_FALSE(Find<QTimer>("TTimeout")->isActive());
}

TEST_F(UploadPageTest, OverwriteQuestionIsAskedInsideTheOneSecondTickWithNoTickNested) {
  GetDirectory();
  std::ofstream(startDir / "run.001") << "old";
  List()->item(0)->setSelected(true);
  List()->item(1)->setSelected(true);
  ChooseExtraction(0);
  person.ScriptFile((startDir / "run.xxx").string());
  Find<QPushButton>("BTUpload")->click();

  bool asked = false;
  person.Script(Operator::Answer::No);
  person.whileOpen = [this, &asked] {
    person.whileOpen = nullptr;
    asked = true;
    const int loops = Host().cycle.loops;
    const int timeout = Host().flash.upload.timeoutCount;
    Form().Timer10msTimer();
    Form().Timer1000msTimer();
    Form().TTimeoutTimer();
    EXPECT_EQ(Host().cycle.loops, loops) << "a tick ran inside the question";
    EXPECT_EQ(Host().flash.upload.timeoutCount, timeout);
  };
  ASSERT_TRUE(SecondsUntilIdle(30));
  EXPECT_TRUE(asked);
  EXPECT_EQ(person.questions.back().text,
            "File run.001 Exists ... Overwrite ?\n\n\tYes = Overwrite File\n\tNo = Skip file\n\tCancel = Abort Upload");
  EXPECT_EQ(Read("run.001"), "old");
  EXPECT_EQ(Read("run.002"), Stored(1));
}

TEST_F(UploadPageTest, ASizeMismatchBoxComesUpInsideTheFastTickAndTheUploadGoesOn) {
  logger->flash().faults().emptyRun = 1;
  UploadTheFirstTwoRuns();
  bool tickRunning = false;
  person.whileOpen = [this, &tickRunning] {
    if (person.boxes.back().kind == "warning") tickRunning = person.tickRunning;
  };
  ASSERT_TRUE(SecondsUntilIdle(30));
  ASSERT_EQ(person.boxes.back().text, "File Sent is Smaller than Expected");
  EXPECT_TRUE(tickRunning) << "raised outside a tick, the box would hold the upload up";
  EXPECT_EQ(Read("run.002"), Stored(1));
}

// A page out of sight is not refreshed by the fast tick; chosen again, it shows where
// the upload has got to.
TEST_F(UploadPageTest, ProgressOutOfSightIsShownWhenThePageIsChosen) {
  GetDirectory();
  List()->item(2)->setSelected(true);
  ChooseExtraction(0);
  person.ScriptFile((startDir / "run.xxx").string());
  Find<QPushButton>("BTUpload")->click();
  Second();
  QProgressBar* bar = Find<QProgressBar>("UpLoadPB");
  Find<QTabWidget>("Tabs")->setCurrentWidget(Find<QWidget>("TSRealTime"));
  const int shown = bar->value();
  const int position = Host().flash.page.progressPosition;
  FastTicks(100);
  ASSERT_NE(Host().flash.page.progressPosition, position) << "the upload did not move on";
  EXPECT_EQ(bar->value(), shown);
  Find<QTabWidget>("Tabs")->setCurrentWidget(Find<QWidget>("TSUpload"));
  EXPECT_EQ(bar->value(), Host().flash.page.progressPosition);
  ASSERT_TRUE(SecondsUntilIdle(60));
  EXPECT_EQ(Read("run.003"), Stored(2));
}

TEST_F(UploadPageTest, CancelButtonStopsTheUpload) {
  GetDirectory();
  for (int i = 0; i < 3; ++i) List()->item(i)->setSelected(true);
  ChooseExtraction(0);
  person.ScriptFile((startDir / "run.xxx").string());
  Find<QPushButton>("BTUpload")->click();
  Second();
  FastTicks(20);
  Find<QPushButton>("BTCancelUpload")->click();
  ASSERT_TRUE(SecondsUntilIdle(10));
  EXPECT_EQ(LabelText("UpLoadRun"), "Upload Cancelled");
  EXPECT_FALSE(std::filesystem::exists(startDir / "run.002"));
}

}  // namespace
}  // namespace ql

namespace ql {
namespace {

TEST_F(UploadPageTest, ParseRunFilesSplitsTheChosenRunBesideIt) {
  const sim::Bytes& run = logger->flash().Runs()[0].bytes;
  {
    std::ofstream out(startDir / "run.001", std::ios::binary);
    out.write(reinterpret_cast<const char*>(run.data()), static_cast<std::streamsize>(run.size()));
  }
  person.ScriptFile((startDir / "run.001").string());
  Find<QPushButton>("BTExtract")->click();
  ASSERT_EQ(person.fileDialogs.size(), 1u);
  EXPECT_EQ(person.fileDialogs[0].title, "Extract Run File");
  EXPECT_EQ(person.fileDialogs[0].filter, "Run Files|Run.*|All Files|*.*");
  EXPECT_TRUE(std::filesystem::exists(startDir / "archive.001"));
  EXPECT_TRUE(std::filesystem::exists(startDir / "Summary.001"));

  // Cancelled: nothing is extracted.
  std::filesystem::remove(startDir / "archive.001");
  Find<QPushButton>("BTExtract")->click();
  EXPECT_FALSE(std::filesystem::exists(startDir / "archive.001"));
}

TEST_F(UploadPageTest, ParseRunFilesNamesEveryOutputTheDiskRefusedTheSummaryToo) {
  const sim::Bytes& run = logger->flash().Runs()[0].bytes;
  {
    std::ofstream out(startDir / "run.001", std::ios::binary);
    out.write(reinterpret_cast<const char*>(run.data()), static_cast<std::streamsize>(run.size()));
  }
  std::filesystem::create_symlink("/dev/full", startDir / "Summary.001");
  std::filesystem::create_symlink("/dev/full", startDir / "archive.001");
  person.ScriptFile((startDir / "run.001").string());
  Find<QPushButton>("BTExtract")->click();
  ASSERT_EQ(person.boxes.size(), 2u);  // the open dialog, then the one box
  EXPECT_EQ(person.boxes[1].caption, "File Extraction Error");
  EXPECT_EQ(person.boxes[1].text,
            "Unable to write Summary.001 (No space left on device), archive.001 (No space left on device)");
}

TEST_F(UploadPageTest, ParseRunFilesTakesAPartialRunAndCallsItPartial) {
  const std::string whole = Stored(0);
  std::ofstream(startDir / "run.001.part", std::ios::binary) << whole.substr(0, whole.size() / 2);
  person.ScriptFile((startDir / "run.001.part").string());
  Find<QPushButton>("BTExtract")->click();
  EXPECT_TRUE(std::filesystem::exists(startDir / "archive.001"));
  ASSERT_FALSE(person.boxes.empty());
  EXPECT_EQ(person.boxes.back().caption, "Run.001 - Partial Run");
  EXPECT_EQ(person.boxes.back().text,
            "run.001.part holds only the part of run 001 that came before its upload stopped; the files extracted "
            "from it hold only that part.");
}

TEST_F(UploadPageTest, ExitDuringAnUploadSaysWhichRunAndHowFarAndLeavesAPartialRun) {
  UploadTheFirstTwoRuns();
  Second();
  for (int i = 0; i < 400 && Host().flash.upload.bytesReceived == 0; ++i) FastTicks(1);
  const UploadState& u = Host().flash.upload;
  ASSERT_GT(u.bytesReceived, 0);
  ASSERT_LT(u.bytesReceived, u.expectedSize);

  person.Script(Operator::Answer::Cancel);
  Action("Exit1")->trigger();
  ASSERT_EQ(person.questions.size(), 1u);
  EXPECT_EQ(person.questions[0].caption, "Program Termination");
  EXPECT_EQ(person.questions[0].text,
            QString("Run 1 is being uploaded: %1 K of %2 K (%3 %) have come. Leaving now keeps what has come as "
                    "run.001.part, a partial run. The 1 more selected run after it will not be uploaded.\n\n"
                    "EXIT Program?")
                .arg(u.bytesReceived / 1024)
                .arg(u.expectedSize / 1024)
                .arg(u.bytesReceived * 100 / u.expectedSize)
                .toStdString());
  EXPECT_TRUE(Host().ports.IsPortOpen(0));

  Action("Exit1")->trigger();  // OK this time
  EXPECT_FALSE(Host().ports.IsPortOpen(0));
  const std::string part = Read("run.001.part");
  EXPECT_FALSE(part.empty());
  EXPECT_EQ(part, Stored(0).substr(0, part.size()));
  EXPECT_FALSE(std::filesystem::exists(startDir / "run.001"));
}

}  // namespace
}  // namespace ql
