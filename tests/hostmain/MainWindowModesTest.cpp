#include <QGroupBox>
#include <QTabWidget>

#include "MainWindowFixture.h"

namespace ql {
namespace {

using test::MainWindowFixture;

struct MainWindowModesTest : MainWindowFixture {
  QTabWidget* Tabs() { return Find<QTabWidget>("Tabs"); }

  // Visible pages as a row of the host-mode table: P shown, - hidden, in tab order.
  std::string PageRow() {
    std::string row;
    for (int i = 0; i < Tabs()->count(); ++i) row += Tabs()->isTabVisible(i) ? "P" : "-";
    return row;
  }

  std::string MenuRow(const std::vector<const char*>& names) {
    std::string row;
    for (const char* name : names) row += Action(name)->isVisible() ? "V" : "-";
    return row;
  }

  bool Shown(const char* name) { return !Find<QWidget>(name)->isHidden(); }
};

TEST_F(MainWindowModesTest, StartsWithoutAHostModeAndEveryPageHidden) {
  EXPECT_EQ(PageRow(), "----------");
  EXPECT_EQ(Find<QLabel>("HostMode")->text(), "No Mode Selected");
  EXPECT_TRUE(Shown("LoggerPortGB"));
  EXPECT_FALSE(Shown("PStore"));
  EXPECT_TRUE(Shown("LoggerStatusGB"));
  EXPECT_EQ(Find<QWidget>("LoggerStatusGB")->height(), 20);
  EXPECT_EQ(Form().windowTitle(), "ZR Logger Host v7");
  const QStringList captions = {"Port Setup", "Logger Control", "Data Status", "Upload Logger Data", "Real Time Data",
                                "Recording: OFF", "PC-Logger", "Hardware Configuration", "Analog Calibration",
                                "Plot Setup"};
  for (int i = 0; i < captions.size(); ++i) EXPECT_EQ(Tabs()->tabText(i), captions[i]);
  Second();
  EXPECT_EQ(Form().windowTitle(), "ZR Logger Host v7.06");
  EXPECT_EQ(Tabs()->tabText(kTSRecord), "Recording:  OFF");  // the recording status, each second
}

TEST_F(MainWindowModesTest, EveryHostModeShowsItsPagesControlsAndMenus) {
  struct Column {
    const char* menuItem;
    const char* hostModeText;
    const char* pages;
    // PStore LoggerStatusGB COMStatus LBPower LBRunStop LBRunNumber ModeCB FileCB OutputCB
    const char* controls;
    int modeIndex, fileIndex, outputIndex;
    bool autoStart;
    const char* menus;
  };
  const std::vector<const char*> menuNames = {
      "MenuFactorySettings", "ResetToMonitor",  "MenuChangeLoggerID", "N2",
      "AnalogCal",           "HardwareConfig",  "N11",                "LoadDefaultFlashSetup",
      "ToggleDebug",         "N1",              "MenuAnnotateFile",   "MenuLoggerTimeUpdate",
      "MenuAutoTimeUpdate",  "MenuUpdateTimeNow", "MenuMooredTimeUpdate", "N5",
      "MenuTestOneSerialPort", "N10",           "ChangeHostInterface", "Menubx5PassThru"};
  const Column columns[] = {
      {"MenuAnalog", "Analog Output", "PP--PP----", "VVV------", 3, 0, 3, true, "VV--VV---V-VVV------"},
      {"MenuMoored", "Moored Logging", "PPPP------", "VVV--V---", 1, 1, 0, false, "VV--VV---V-VVV-VV---"},
      {"MenuProfile", "Profile Logging", "PPPP------", "VVV-VV---", 0, 1, 0, false, "VV--VV---V-VVV-VV---"},
      {"MenuRealTimeOutput", "Real Time Data", "PPP-PPP--P", "VVV------", 2, 0, 1, false, "VVVVVVV--VVVVV-VV---"},
      {"MenuAdvanced", "Advanced User", "PPPPPPP--P", "VVVVVVVVV", 2, 0, 1, false, "VVVVVVVVVVVVVV-VVVV-"},
      {"PCLogger", "PC Logger", "----PPP--P", "------VVV", 2, 0, 1, false, "----------V---------"},
  };
  const char* controlNames[] = {"PStore", "LoggerStatusGB", "COMStatus", "LBPower", "LBRunStop",
                                "LBRunNumber", "ModeCB", "FileCB", "OutputCB"};
  for (const Column& c : columns) {
    SCOPED_TRACE(c.menuItem);
    // Start from the mode before: Advanced User's combo choice is kept, so clear it.
    Host().setupPage.controls.mode = -1;
    Action(c.menuItem)->trigger();
    EXPECT_EQ(Find<QLabel>("HostMode")->text().toStdString(), c.hostModeText);
    EXPECT_EQ(PageRow(), c.pages);
    std::string controls;
    for (const char* name : controlNames) controls += Shown(name) ? "V" : "-";
    EXPECT_EQ(controls, c.controls);
    EXPECT_EQ(Find<QComboBox>("ModeCB")->currentIndex(), c.modeIndex);
    EXPECT_EQ(Find<QComboBox>("FileCB")->currentIndex(), c.fileIndex);
    EXPECT_EQ(Find<QComboBox>("OutputCB")->currentIndex(), c.outputIndex);
    EXPECT_EQ(Find<QCheckBox>("CBAutoStart")->isChecked(), c.autoStart);
    EXPECT_TRUE(Shown("CBAutoStart"));
    EXPECT_FALSE(Shown("TimeSourceCB"));
    EXPECT_FALSE(Shown("FlashPanel"));
    EXPECT_FALSE(Shown("RemoteHostPanel"));
    EXPECT_EQ(MenuRow(menuNames), c.menus);
    EXPECT_EQ(Find<QLabel>("PStore")->text(), "Setup is Not Current");
  }
}

TEST_F(MainWindowModesTest, PcLoggerClosesTheLoggerPortAndItsPanels) {
  Choose("LoggerPortCB", 1);
  ASSERT_TRUE(Host().ports.IsPortOpen(0));
  Action("PCLogger")->trigger();
  EXPECT_FALSE(Host().ports.IsPortOpen(0));
  EXPECT_EQ(Find<QComboBox>("LoggerPortCB")->currentIndex(), 0);
  EXPECT_FALSE(Shown("LoggerStatusGB"));
  EXPECT_FALSE(Shown("PStore"));
  EXPECT_FALSE(Shown("LoggerPortGB"));
  EXPECT_FALSE(Action("MenuLoggerPortSetup")->isVisible());
  Action("MenuAdvanced")->trigger();
  EXPECT_TRUE(Shown("LoggerPortGB"));
  EXPECT_TRUE(Action("MenuLoggerPortSetup")->isVisible());
}

TEST_F(MainWindowModesTest, MooredLoggingSwitchesTheLoggerControlLayoutAtOnce) {
  Action("MenuProfile")->trigger();
  auto* group = Find<QGroupBox>("GroupBox7");
  EXPECT_EQ(group->x(), 297);
  EXPECT_EQ(group->width(), 136);
  EXPECT_FALSE(Shown("BTSleep"));
  EXPECT_FALSE(Shown("IntervalUD"));
  Action("MenuMoored")->trigger();
  EXPECT_EQ(Find<QComboBox>("ModeCB")->currentText(), "Moored Mode");
  EXPECT_FALSE(Shown("ModeCB"));
  EXPECT_EQ(group->x(), 168);
  EXPECT_EQ(group->width(), 265);
  EXPECT_EQ(Find<QWidget>("BTBegin")->x(), 136);
  EXPECT_TRUE(Shown("BTSleep"));
  EXPECT_TRUE(Shown("IntervalUD"));
  EXPECT_TRUE(Shown("LBSampleInterval"));
}

TEST_F(MainWindowModesTest, PolledMooredModeShowsThePolledButtonsOnBothPages) {
  Action("MenuAdvanced")->trigger();
  EXPECT_FALSE(Shown("Button1"));
  Choose("ModeCB", 12);
  for (const char* name : {"Button1", "Button2", "Button3", "Button4", "BTSleep"}) EXPECT_TRUE(Shown(name)) << name;
  Choose("LoggerPortCB", 1);
  Find<QPushButton>("Button3")->click();
  Find<QPushButton>("Button2")->click();
  const std::vector<uint8_t> sent = wire->TakeFromHost();
  EXPECT_EQ(std::string(sent.begin(), sent.end()), " WAKESLEEP");
}

TEST_F(MainWindowModesTest, ShrinkingTheWindowKeepsThePagesAtTheirMinimum) {
  const QSize minimum = Find<QTabWidget>("Tabs")->size();
  Form().show();
  Form().resize(1600, 900);
  EXPECT_GT(Tabs()->width(), minimum.width());
  Form().resize(300, 200);
  EXPECT_GE(Tabs()->width(), 720);
  EXPECT_GE(Tabs()->height(), 500);
  EXPECT_EQ(Tabs()->x(), Find<QWidget>("HostStatusGB")->geometry().right() + 1 + 8);
}

TEST_F(MainWindowModesTest, ChangingThePageStopsTheDisplay) {
  Action("MenuAdvanced")->trigger();
  Tabs()->setCurrentIndex(kTSRealTime);
  Find<QPushButton>("BTDisplayRaw")->click();
  EXPECT_TRUE(Host().display.running);
  Tabs()->setCurrentIndex(kTSPortSetup);
  EXPECT_FALSE(Host().display.running);
  EXPECT_EQ(Find<QPushButton>("BTDisplayRaw")->text(), "Display Data");
}

TEST_F(MainWindowModesTest, ExitAsksFirstAndClosesEveryPort) {
  Choose("LoggerPortCB", 1);
  person.Script(Operator::Answer::Cancel);
  Action("Exit1")->trigger();
  EXPECT_TRUE(Host().ports.IsPortOpen(0));
  ASSERT_EQ(person.questions.size(), 1u);
  EXPECT_EQ(person.questions[0].caption, "Program Termination");
  EXPECT_EQ(person.questions[0].text, "EXIT Program?");
  Action("Exit1")->trigger();
  EXPECT_FALSE(Host().ports.IsPortOpen(0));
}

}  // namespace
}  // namespace ql
