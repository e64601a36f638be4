#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <fstream>
#include <sstream>

#include "MainWindowFixture.h"
#include "setupfile/HostSetupStore.h"
#include "setupfile/HostSetupText.h"

namespace ql {
// Failures show the file's text.
inline void PrintTo(const HostSetupFile& f, std::ostream* os) { *os << "\n" << FormatHostSetup(f); }
}  // namespace ql

namespace ql::test {
namespace {

namespace fs = std::filesystem;

struct HostSetupFileTest : MainWindowFixture {
  // A fresh host in the same start directory, which now holds `setup` as last.zrh.
  void RestartWith(const HostSetupFile& setup) {
    windows = HostWindows{};
    ASSERT_TRUE(ql::StoreHostSetup(startDir / TForm1::kLastSetupFile, setup));
    windows = CreateHostWindows(MakeFactory(), clock, person, startDir);
  }
  fs::path Write(const std::string& name, const std::string& text) {
    std::ofstream(startDir / name) << text;
    return startDir / name;
  }
  // The lines of a file this host would write now, to be spoiled one at a time.
  std::vector<std::string> LinesNow() {
    std::vector<std::string> lines;
    std::istringstream in(FormatHostSetup(Form().HostSetupNow()));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  static std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    return text;
  }
  void SetUpAdvancedUserOnCom3() {
    Form().ModesMenuClick(kAdvancedUser);
    Choose("LoggerPortCB", 3);
    Choose("LoggerSetupCB", 11);
    Choose("CBHostPortSetup", 7);
    Choose("ModeCB", 1);
    Choose("RawPortCB", 4);
    Find<QSpinBox>("RawMuxIDUD")->setValue(3);
    Choose("PortType2CB", 2);
    Choose("DeckPort2CB", 4);
    Choose("DeckSetup2CB", 8);
    Find<QSpinBox>("UDDeckType2")->setValue(3);
    Find<QSpinBox>("UDOutPort2")->setValue(5);
    Choose("PortType5CB", 1);
    Choose("DeckPort5CB", 6);
    Choose("DeckSetup5CB", 6);
    Find<QSpinBox>("UDDeckRate")->setValue(8);
    Find<QCheckBox>("CBRecordPCTime")->click();
    Action("MenuAutoTimeUpdate")->setChecked(false);
    Form().resize(1111, 777);
  }
};

TEST_F(HostSetupFileTest, StoreThenLoadRestoresEveryAppliedValue) {
  SetUpAdvancedUserOnCom3();
  const HostSetupFile stored = Form().HostSetupNow();
  EXPECT_EQ(stored.Get(zrh::kLoggerPortCB), 3);
  EXPECT_EQ(stored.Get(zrh::kUDDeckRate), 8);
  EXPECT_EQ(stored.Get(zrh::kUDOutPort(2)), 5);
  EXPECT_EQ(stored.Get(zrh::kMenuAutoTimeUpdateChecked), 0);

  wire->opened.clear();
  RestartWith(stored);
  EXPECT_EQ(Form().HostSetupNow(), stored);
  EXPECT_TRUE(person.boxes.empty());
  EXPECT_EQ(Find<QLabel>("HostMode")->text(), "Advanced User");
  EXPECT_EQ(Find<QComboBox>("LoggerSetupCB")->currentIndex(), 11);
  EXPECT_EQ(Find<QComboBox>("CBHostPortSetup")->currentIndex(), 7);
  EXPECT_EQ(Find<QLabel>("RawMuxIDLB")->text(), "Logger ID:    3");
  EXPECT_EQ(Find<QSpinBox>("RawMuxIDUD")->value(), 3);  // the selectors show what is in force
  EXPECT_EQ(Find<QComboBox>("RawPortCB")->currentIndex(), 4);
  EXPECT_EQ(Find<QLabel>("LBDeckRate")->text(), "Deck Rate:  8 Hz");
  EXPECT_EQ(Find<QLabel>("PCOutPort2")->text(), "Port=5");
  EXPECT_TRUE(Find<QCheckBox>("CBRecordPCTime")->isChecked());
  EXPECT_FALSE(Action("MenuAutoTimeUpdate")->isChecked());
  EXPECT_EQ(Form().width(), 1111);
  EXPECT_EQ(Form().height(), 777);
  // The logger port and both deck ports were opened, and the deck setup is in force.
  EXPECT_EQ(wire->opened, (std::vector<std::string>{"/dev/ttyS2", "/dev/ttyS3", "/dev/ttyS5"}));
  EXPECT_EQ(Host().deck.working[2], (DeckPortUse{kDeckLoggerOutput, 3, 5}));
  EXPECT_TRUE(Find<QLabel>("PCLoggerPanel")->isHidden());
}

TEST_F(HostSetupFileTest, AFaultyFileChangesNothing) {
  SetUpAdvancedUserOnCom3();
  const HostSetupFile before = Form().HostSetupNow();
  const std::vector<std::string> good = LinesNow();
  struct Case {
    int line;
    std::string text;  // empty: the file ends before this line
    std::string caption;
  };
  const Case cases[] = {
      {3, "x 3 0 0 0", "Invalid Record in *.ZRH File - The ZRH File was NOT Loaded E1"},
      {3, "4 0 ", "Bad Line Number in *.ZRH File - The ZRH File was Not Loaded E2"},
      {7, "7 12 0 0 0 0 0 0 0 0 0 0 0 0", "Invalid Record in *.ZRH, j 1 count 13 lcount 12"},
      {15, "15 8 0 4 0 0 0 0 0", "Invalid Record in *.ZRH File - The ZRH File was NOT Loaded E4"},
      {22, "", "Incomplete *.ZRH File - The ZRH File was NOT Loaded"},
      {0, "ZR Host Version=7.05", "Invalid Record in *.ZRH, j 1 count 2 lcount 3"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines = good;
    if (c.text.empty()) {
      lines.resize(static_cast<size_t>(c.line));
    } else {
      lines[static_cast<size_t>(c.line)] = c.text;
    }
    person.boxes.clear();
    const int opens = wire->opens;
    EXPECT_FALSE(Form().LoadHostSetup(Write("bad.zrh", Join(lines)), true)) << c.caption;
    ASSERT_EQ(person.boxes.size(), 1u) << c.caption;
    EXPECT_EQ(person.boxes[0].caption, c.caption);
    EXPECT_EQ(Form().HostSetupNow(), before) << c.caption;
    EXPECT_EQ(wire->opens, opens) << c.caption;
  }
  person.boxes.clear();
  EXPECT_FALSE(Form().LoadHostSetup(startDir / "none.zrh", true));
  EXPECT_TRUE(person.boxes.empty());
}

TEST_F(HostSetupFileTest, HostModesOutsideOneToEightLoadAsNoMode) {
  for (int stored : {0, 9}) {
    Form().ModesMenuClick(kRealTimeData);
    std::vector<std::string> lines = LinesNow();
    lines[2] = "2 1 " + std::to_string(stored);
    EXPECT_TRUE(Form().LoadHostSetup(Write("mode.zrh", Join(lines)), true));
    EXPECT_EQ(Host().hostMode, kNoHostMode);
    EXPECT_EQ(Find<QLabel>("HostMode")->text(), "No Mode Selected");
  }
}

TEST_F(HostSetupFileTest, HostModesThatLeaveThePagesAloneStillStartWithTheFactoryPagesHidden) {
  for (int mode : {kSct3Output, kBx5PassThru}) {
    HostSetupFile setup;
    setup.Set(zrh::kHostMode, mode);
    RestartWith(setup);
    const auto* tabs = Find<QTabWidget>("Tabs");
    EXPECT_FALSE(tabs->isTabVisible(tabs->indexOf(Find<QWidget>("TSHardware")))) << mode;
    EXPECT_FALSE(tabs->isTabVisible(tabs->indexOf(Find<QWidget>("TSAnalog")))) << mode;
    EXPECT_TRUE(tabs->isTabVisible(tabs->indexOf(Find<QWidget>("TSRealTime")))) << mode;
  }
}

TEST_F(HostSetupFileTest, OlderFilesKeepTheHostPortSetting) {
  Choose("CBHostPortSetup", 9);
  std::vector<std::string> lines = LinesNow();
  lines[0] = "ZR Host Version=7.05";
  lines[1] = "1 2 2 8";
  EXPECT_TRUE(Form().LoadHostSetup(Write("old.zrh", Join(lines)), false));
  EXPECT_EQ(Host().setupPage.controls.hostPortLine, 9);
  EXPECT_EQ(Host().loggerPort.comIndex, 2);
  EXPECT_EQ(Host().loggerPort.lineIndex, 8);
}

TEST_F(HostSetupFileTest, AnExplicitLoadKeepsTheChosenLoggerPort) {
  std::vector<std::string> lines = LinesNow();
  lines[1] = "1 3 1 6 6";
  lines[2] = "2 1 4";
  const fs::path file = Write("com1.zrh", Join(lines));

  Choose("LoggerPortCB", 3);
  Choose("LoggerSetupCB", 8);
  const int opens = wire->opens;
  EXPECT_TRUE(Form().LoadHostSetup(file, true));
  EXPECT_EQ(Find<QComboBox>("LoggerPortCB")->currentIndex(), 3);
  EXPECT_EQ(Find<QComboBox>("LoggerSetupCB")->currentIndex(), 8);
  // Still closed and opened again after the host mode.
  EXPECT_EQ(wire->opens, opens + 1);
  EXPECT_EQ(Host().ports.OpenCom(0), 3);
  EXPECT_FALSE(Host().setupPage.setupCurrent);

  // Without a chosen port, or at start, the file's port is taken.
  Choose("LoggerPortCB", 0);
  EXPECT_TRUE(Form().LoadHostSetup(file, true));
  EXPECT_EQ(Host().ports.OpenCom(0), 1);
  Choose("LoggerPortCB", 3);
  EXPECT_TRUE(Form().LoadHostSetup(file, false));
  EXPECT_EQ(Host().ports.OpenCom(0), 1);
}

TEST_F(HostSetupFileTest, DeckRatesSnapAsAClickWould) {
  HostSetupFile setup;
  setup.Set(zrh::kUDDeckRate, 7);
  RestartWith(setup);
  EXPECT_EQ(Find<QSpinBox>("UDDeckRate")->value(), 8);
  setup.Set(zrh::kUDDeckRate, 15);
  RestartWith(setup);
  EXPECT_EQ(Find<QSpinBox>("UDDeckRate")->value(), 16);
  EXPECT_EQ(Find<QLabel>("LBDeckInterval")->text(), "Deck Interval:   62 ms");

  // Opened while the rate stands at 20, a stored 16 steps down to 12.
  Find<QSpinBox>("UDDeckRate")->setValue(20);
  setup.Set(zrh::kUDDeckRate, 16);
  ASSERT_TRUE(ql::StoreHostSetup(startDir / "16.zrh", setup));
  EXPECT_TRUE(Form().LoadHostSetup(startDir / "16.zrh", true));
  EXPECT_EQ(Find<QSpinBox>("UDDeckRate")->value(), 12);
}

TEST_F(HostSetupFileTest, ExtractTypesAndReplayControlsComeFromTheFileAndGoBackAsShown) {
  const auto radios = [this] { return Find<QGroupBox>("ExtractFilesRG")->findChildren<QRadioButton*>(); };
  radios()[1]->click();
  Find<QSpinBox>("ReplaySpeedUD")->setValue(3);
  HostSetupFile setup = Form().HostSetupNow();
  EXPECT_EQ(setup.Get(zrh::kExtractFilesRG), 1);
  EXPECT_EQ(setup.Get(zrh::kReplaySpeedUD), 3);

  // Every host mode hides the replay controls; a file may show them. A speed beyond the
  // up-down's range is held to it, and stored as shown.
  for (int i = 0; i < 6; ++i) setup.Set(zrh::kReplayControlVisible(i), i != 1);
  setup.Set(zrh::kReplaySpeedUD, 15);
  setup.Set(zrh::kExtractFilesRG, 0);
  RestartWith(setup);
  EXPECT_TRUE(radios()[0]->isChecked());
  EXPECT_EQ(Host().flash.page.extractFiles, 0);
  EXPECT_FALSE(Find<QPushButton>("ReplayArchiveBT")->isHidden());
  EXPECT_TRUE(Find<QPushButton>("ReplayContinuousBT")->isHidden());
  EXPECT_FALSE(Find<QSpinBox>("ReplaySpeedUD")->isHidden());
  EXPECT_EQ(Find<QSpinBox>("ReplaySpeedUD")->value(), 10);
  const HostSetupFile now = Form().HostSetupNow();
  EXPECT_EQ(now.Get(zrh::kReplaySpeedUD), 10);
  EXPECT_EQ(now.Get(zrh::kReplayControlVisible(0)), 1);
  EXPECT_EQ(now.Get(zrh::kReplayControlVisible(1)), 0);
  EXPECT_EQ(now.Get(zrh::kExtractFilesRG), 0);

  // An item the group does not have chooses none.
  setup.Set(zrh::kExtractFilesRG, 7);
  RestartWith(setup);
  EXPECT_EQ(Find<QGroupBox>("ExtractFilesRG")->findChild<QButtonGroup*>()->checkedButton(), nullptr);
  EXPECT_EQ(Form().HostSetupNow().Get(zrh::kExtractFilesRG), -1);
}

TEST_F(HostSetupFileTest, ExitStoresLastZrhInTheStartDirectory) {
  const fs::path last = startDir / TForm1::kLastSetupFile;
  person.Script(Operator::Answer::Cancel);
  Form().BTExitClick();
  EXPECT_FALSE(fs::exists(last));

  Form().ModesMenuClick(kProfileLogging);
  const fs::path elsewhere = startDir / "elsewhere";
  fs::create_directories(elsewhere);
  const fs::path cwd = fs::current_path();
  fs::current_path(elsewhere);
  person.Script(Operator::Answer::Ok);
  Form().BTExitClick();
  fs::current_path(cwd);
  EXPECT_FALSE(fs::exists(elsewhere / TForm1::kLastSetupFile));
  const std::optional<HostSetupFile> written = ReadHostSetup(last, person);
  ASSERT_TRUE(written);
  EXPECT_EQ(written->Get(zrh::kHostMode), kProfileLogging);
}

TEST_F(HostSetupFileTest, ExitWritesZerosWhereTheHostKeepsNoControl) {
  // A file from elsewhere with numbers in the records and places the host does not act on.
  HostSetupFile setup = Form().HostSetupNow();
  for (const int record : {7, 11, 12}) {
    for (auto& value : setup.values[static_cast<size_t>(record)]) value = 41;
  }
  const std::vector<SetupField> unkept = {{5, 7}, {5, 8}, {6, 6}, {6, 8}, {6, 9}, {6, 10}, {9, 0},  {9, 1},
                                          {10, 0}, {10, 1}, {10, 2}, {10, 3}, {10, 4}, {10, 5}, {10, 6}, {20, 0},
                                          {20, 1}, {21, 6}, {21, 7}, {22, 0}};
  for (const SetupField f : unkept) setup.Set(f, 42);
  setup.Set(zrh::kAutoStartShown, 0);
  RestartWith(setup);
  EXPECT_TRUE(person.boxes.empty());

  person.Script(Operator::Answer::Ok);
  Form().BTExitClick();
  const std::optional<HostSetupFile> written = ReadHostSetup(startDir / TForm1::kLastSetupFile, person);
  ASSERT_TRUE(written);
  for (const int record : {7, 11, 12}) {
    for (const int16_t value : written->values[static_cast<size_t>(record)]) EXPECT_EQ(value, 0) << "record " << record;
  }
  for (const SetupField f : unkept) EXPECT_EQ(written->Get(f), 0) << "record " << f.record << " place " << f.index;
  EXPECT_EQ(written->Get(zrh::kAutoStartShown), 1);
}

}  // namespace
}  // namespace ql::test

namespace ql::test {
namespace {

TEST_F(HostSetupFileTest, FilesMenuStoresAndLoadsAChosenFileAndReportsAFailedStore) {
  Action("MenuAdvanced")->trigger();
  const std::string file = (startDir / "deck.zrh").string();
  person.ScriptFile(file);
  Action("StoreHostSetupFile")->trigger();
  ASSERT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(person.fileDialogs.back().title, "Save ZR Host Program Setup");
  EXPECT_EQ(person.fileDialogs.back().filter, "ZR Host Setup (*.zrh)|*.zrh");
  EXPECT_FALSE(person.fileDialogs.back().overwritePrompt);

  Action("MenuMoored")->trigger();
  person.ScriptFile(file);
  Action("LoadHostSetupFile")->trigger();
  EXPECT_EQ(person.fileDialogs.back().title, "Open ZR Host Program Setup");
  EXPECT_EQ(Find<QLabel>("HostMode")->text(), "Advanced User");

  person.ScriptFile((startDir / "missing" / "x.zrh").string());
  Action("StoreHostSetupFile")->trigger();
  ASSERT_FALSE(person.boxes.empty());
  EXPECT_EQ(person.boxes.back().caption, "File Error");
}

}  // namespace
}  // namespace ql::test
