#include <QLineEdit>
#include <fstream>
#include <QSpinBox>

#include "MainWindowFixture.h"
#include "dialogs/WidgetColour.h"
#include "support/Packets.h"

namespace ql {
namespace {

using test::MainWindowFixture;

struct MainWindowLinkTest : MainWindowFixture {
  void Data(uint8_t sequence, const std::string& port1) {
    test::DataPacketFields fields;
    fields.sender = 2;
    fields.sequence = sequence;
    fields.sources[0] = port1;
    wire->Push(test::DataPacket(fields));
  }
};

TEST_F(MainWindowLinkTest, StartsWithThePortSetupShownAndNoPort) {
  EXPECT_FALSE(Find<QWidget>("LoggerPortGB")->isHidden());
  EXPECT_EQ(Action("ShowLoggerPortSetup")->text(), "Hide Logger Port Setup");
  EXPECT_EQ(Find<QComboBox>("LoggerPortCB")->currentText(), "No Port Selected");
  EXPECT_EQ(Find<QComboBox>("LoggerSetupCB")->currentText(), "9600");
  Second();
  EXPECT_EQ(Find<QLabel>("COMStatus")->text(), "No Port @ 9600 Baud");
  EXPECT_TRUE(Find<QLabel>("PLoggerPort")->isHidden());
  EXPECT_EQ(Form().windowTitle(), "ZR Logger Host v7.06");

  Find<QPushButton>("CloseLoggerPortSetup")->click();
  EXPECT_TRUE(Find<QWidget>("LoggerPortGB")->isHidden());
  EXPECT_EQ(Action("ShowLoggerPortSetup")->text(), "Show Logger Port Setup");
}

TEST_F(MainWindowLinkTest, ChoosingAComPortOpensItAndTheStatusSaysSo) {
  Choose("LoggerPortCB", 1);
  EXPECT_EQ(Host().ports.OpenCom(0), 1);
  Second();
  EXPECT_EQ(Find<QLabel>("COMStatus")->text(), "COM1 @ 9600 Baud");
  EXPECT_EQ(Find<QLabel>("PLoggerPort")->text(), "Logger Port: COM1");
  EXPECT_FALSE(Find<QLabel>("PLoggerPort")->isHidden());
  Choose("LoggerSetupCB", 8);
  EXPECT_EQ(wire->lines.back(), (LineParams{19200, 'N', 8, 1}));
}

TEST_F(MainWindowLinkTest, RawLoggerDataScrollsThroughTheTerminal) {
  Choose("LoggerPortCB", 1);
  Choose("RawSourceCB", 1);
  EXPECT_TRUE(Find<QComboBox>("RawPortCB")->isHidden());
  auto* display = Find<QPushButton>("BTDisplayRaw");
  display->click();
  EXPECT_EQ(display->text(), "Stop Display");
  auto* memo = Find<QPlainTextEdit>("Memo1");
  for (int i = 0; i < 150; ++i) {
    wire->Push("line " + std::to_string(i) + "\r\n");
    FastTicks(1);
  }
  EXPECT_EQ(memo->document()->blockCount(), 101);
  EXPECT_TRUE(memo->toPlainText().endsWith("line 149"));
  display->click();
  EXPECT_EQ(display->text(), "Display Data");
}

TEST_F(MainWindowLinkTest, ParsedDataShowsOnePortOfOneLogger) {
  Choose("LoggerPortCB", 1);
  Choose("RawSourceCB", 0);
  Find<QSpinBox>("RawMuxIDUD")->setValue(2);
  EXPECT_EQ(Find<QLabel>("RawMuxIDLB")->text(), "Logger ID:    2");
  Find<QPushButton>("BTDisplayRaw")->click();
  Data(0, "T=12.345 C=35.01\r\n");
  FastTicks(2);
  EXPECT_TRUE(Find<QPlainTextEdit>("Memo1")->toPlainText().contains("T=12.345 C=35.01"));
}

TEST_F(MainWindowLinkTest, WrongSpeedTurnsTheLineComboRed) {
  Choose("LoggerPortCB", 1);
  auto* line = Find<QComboBox>("LoggerSetupCB");
  for (int s = 0; s < 4; ++s) {
    wire->Push(std::string(30, '\xE7'));
    Second();
  }
  EXPECT_EQ(AppliedColour(line, kWindowColour), kRed);
  EXPECT_EQ(line->palette().color(QPalette::Button), QColor(255, 0, 0));
  wire->Push(test::FixedPacket(3));
  FastTicks(1);
  EXPECT_EQ(AppliedColour(line, kWindowColour), kWindowColour);
}

TEST_F(MainWindowLinkTest, AutoBaudMenuItemStepsDownAndUnchecksOnTheFirstPacket) {
  Choose("LoggerPortCB", 1);
  QAction* autoBaud = Action("AutoBaudRateDetection");
  autoBaud->trigger();
  EXPECT_TRUE(autoBaud->isChecked());
  EXPECT_EQ(Find<QComboBox>("LoggerSetupCB")->currentText(), "115200");
  for (int s = 0; s < 6; ++s) {
    wire->Push(std::string(30, '\xE7'));
    Second();
  }
  EXPECT_EQ(Find<QComboBox>("LoggerSetupCB")->currentText(), "57600");
  wire->Push(test::FixedPacket(3));
  FastTicks(1);
  EXPECT_FALSE(autoBaud->isChecked());
}

TEST_F(MainWindowLinkTest, StatisticsWindowShowsLiveCounts) {
  Choose("LoggerPortCB", 1);
  auto* stats = windows.statsForm;
  EXPECT_TRUE(stats->isHidden());
  Action("HostPortStats")->trigger();
  EXPECT_FALSE(stats->isHidden());
  EXPECT_EQ(stats->windowTitle(), "Host Port Statistics");
  wire->Push(test::FixedPacket(3));
  Second();
  auto* line1 = stats->findChild<QLabel*>("SFLB1");
  auto* line5 = stats->findChild<QLabel*>("SFLB5");
  ASSERT_NE(line1, nullptr);
  EXPECT_EQ(line1->text(), "Bytes/Sec:  132");
  EXPECT_EQ(line5->text(), "Packet Count: 1");
  EXPECT_FALSE(stats->findChild<QLabel*>("SFLB9")->isHidden());
  Second();
  EXPECT_EQ(AppliedColour(line1, kButtonFace), kYellow);
  EXPECT_EQ(AppliedColour(stats->findChild<QLabel*>("SFLB3"), kButtonFace), kRed);

  stats->close();  // its own close box only hides it; the lines keep counting
  wire->Push(test::FixedPacket(3));
  Second();
  Action("HostPortStats")->trigger();
  EXPECT_EQ(line5->text(), "Packet Count: 2");
}

TEST_F(MainWindowLinkTest, StatisticsWindowRedrawsAtDisplayRateWhileTheCoreCountsEveryTick) {
  Choose("LoggerPortCB", 1);
  Action("HostPortStats")->trigger();
  auto* line5 = windows.statsForm->findChild<QLabel*>("SFLB5");
  int redraws = 0;
  QString shown = line5->text();
  for (int tick = 0; tick < 200; ++tick) {  // one second of ticks, a packet in each
    wire->Push(test::FixedPacket(2));
    FastTicks(1);
    if (line5->text() != shown) ++redraws;
    shown = line5->text();
  }
  EXPECT_EQ(Host().stats.At(5).text, "Packet Count: 199");
  EXPECT_LE(redraws, 20);
  EXPECT_GE(redraws, 19);
  FastTicks(10);  // within 50 ms the window has caught up
  EXPECT_EQ(line5->text(), "Packet Count: 200");
}

TEST_F(MainWindowLinkTest, LostDeviceClosesQuietlyAndChoosingThePortAgainReopensIt) {
  Choose("LoggerPortCB", 1);
  wire->Push(test::FixedPacket(3));
  Second();
  wire->endOfFile = true;  // the far end has gone: reads report end of file
  for (int s = 0; s < 4; ++s) Second();
  EXPECT_FALSE(Host().ports.IsPortOpen(0));
  EXPECT_EQ(wire->closes, 1);
  EXPECT_TRUE(person.boxes.empty());
  // The silence shows as on any dead port; the combo still names the port.
  EXPECT_EQ(AppliedColour(Find<QComboBox>("LoggerPortCB"), kWindowColour), kRed);
  EXPECT_EQ(Find<QComboBox>("LoggerPortCB")->currentText(), "COM 1");

  wire->endOfFile = false;
  Choose("LoggerPortCB", 1);
  EXPECT_EQ(wire->opens, 2);
  wire->Push(test::FixedPacket(3));
  FastTicks(1);
  EXPECT_EQ(Host().receiver.Counters().packetsRecognised, 2u);
}

TEST_F(MainWindowLinkTest, InputThePortThrewAwayShowsInTheStatisticsWindow) {
  Choose("LoggerPortCB", 1);
  Action("HostPortStats")->trigger();
  auto* lost = windows.statsForm->findChild<QLabel*>("SFLBLostInput");
  ASSERT_NE(lost, nullptr);
  Second();
  EXPECT_TRUE(lost->isHidden());
  wire->holdLimit = 1000;
  wire->Push(std::string(1500, '\0'));
  Second();
  EXPECT_FALSE(lost->isHidden());
  EXPECT_EQ(lost->text(), "Lost Input: 500");
}

TEST_F(MainWindowLinkTest, SequenceGapsShowInTheUnitCountsAndResetClearsThem) {
  Choose("LoggerPortCB", 1);
  Data(0, "a");
  FastTicks(1);
  Data(3, "b");
  FastTicks(1);
  Second();
  EXPECT_EQ(Find<QLabel>("LBUnit2")->text(), "Unit 2: 2 \t1 \t2");
  EXPECT_TRUE(Find<QLabel>("LBTimeUnit")->isHidden());
  Find<QPushButton>("BTResetCounters")->click();
  Second();
  EXPECT_EQ(Find<QLabel>("LBUnit2")->text(), "Unit 2: 0 \t0 \t0");
}

TEST_F(MainWindowLinkTest, TypedTextGoesToTheLoggerAndIsEchoed) {
  Choose("LoggerPortCB", 1);
  auto* edit = Find<QLineEdit>("EditSendText");
  EXPECT_EQ(edit->text(), "Enter Text");
  edit->setText("abc");
  emit edit->returnPressed();
  EXPECT_EQ(edit->text(), "");
  EXPECT_EQ(wire->TakeFromHost(), (test::Bytes{'a', 'b', 'c', '\r', '\n'}));
  edit->setText("abc");
  Find<QPushButton>("BTSendText")->click();
  EXPECT_EQ(wire->TakeFromHost(), (test::Bytes{'a', 'b', 'c'}));
  EXPECT_TRUE(Find<QPlainTextEdit>("Memo1")->toPlainText().contains("abc"));
}

TEST_F(MainWindowLinkTest, TypedTextTravelsAndEchoesAsSingleBytes) {
  Choose("LoggerPortCB", 1);
  auto* edit = Find<QLineEdit>("EditSendText");
  edit->setText(QString::fromUtf8("T=5\u00B0C \u20AC"));
  Find<QPushButton>("BTSendText")->click();
  EXPECT_EQ(wire->TakeFromHost(), (test::Bytes{'T', '=', '5', 0xB0, 'C', ' ', '?'}));
  const QString memo = Find<QPlainTextEdit>("Memo1")->toPlainText();
  EXPECT_TRUE(memo.contains(QString::fromUtf8("T=5\u00B0C ?"))) << memo.toStdString();
}

TEST_F(MainWindowLinkTest, BadFlashPanelJoinsTheLeftColumn) {
  Choose("LoggerPortCB", 1);
  auto* flash = Find<QLabel>("FlashPanel");
  auto* hostStatus = Find<QWidget>("HostStatusGB");
  Second();
  EXPECT_TRUE(flash->isHidden());
  const int topBefore = hostStatus->y();
  wire->Push(test::FixedPacket(2, {3, 0}));
  FastTicks(1);
  Second();
  EXPECT_FALSE(flash->isHidden());
  EXPECT_EQ(hostStatus->y(), topBefore + 35 + 4);
}

TEST_F(MainWindowLinkTest, AHostModeChangeHidesFaultPanelsOnlyUntilTheNextTick) {
  Choose("LoggerPortCB", 1);
  auto* flash = Find<QLabel>("FlashPanel");
  auto* remote = Find<QLabel>("RemoteHostPanel");
  test::Bytes remoteHostOn(130, 0);
  remoteHostOn[21] = 0x02;  // bit 9 of the serial port mask, at offset 22
  auto faultsArrive = [&] {
    wire->Push(test::FixedPacket(2, {5, 0}));
    wire->Push(test::FixedPacket(3, remoteHostOn));
    FastTicks(2);
    Second();
  };
  faultsArrive();
  EXPECT_FALSE(flash->isHidden());
  EXPECT_FALSE(remote->isHidden());
  Action("MenuRealTimeOutput")->trigger();
  EXPECT_TRUE(flash->isHidden());
  EXPECT_TRUE(remote->isHidden());
  faultsArrive();
  EXPECT_FALSE(flash->isHidden()) << "bad flash code 5 is still true";
  EXPECT_FALSE(remote->isHidden()) << "the remote host is still on";
}

}  // namespace
}  // namespace ql

namespace ql {
namespace {

// A start directory whose comports.txt maps COM1 and holds a line the program cannot use.
struct MainWindowComPortsTest : test::MainWindowFixture {
  void PrepareStartDirectory() override {
    std::ofstream(startDir / "comports.txt")
        << "# deck laptop\nCOM1=/dev/serial/by-id/usb-logger  # the logger\nCOM14=/dev/x\nCom1=/dev/ttyUSB9\n";
  }
};

TEST_F(MainWindowComPortsTest, MappedComPortOpensItsDeviceAndBadLinesAreReportedOnce) {
  ASSERT_EQ(person.boxes.size(), 1u);
  EXPECT_EQ(person.boxes[0].caption, "COM Port Mapping");
  EXPECT_NE(person.boxes[0].text.find("COM14=/dev/x"), std::string::npos);
  EXPECT_NE(person.boxes[0].text.find("line 4: \"Com1=/dev/ttyUSB9\" (COM1 is already set on line 2)"),
            std::string::npos);
  Choose("LoggerPortCB", 1);
  ASSERT_FALSE(wire->opened.empty());
  EXPECT_EQ(wire->opened.back(), "/dev/serial/by-id/usb-logger");
  EXPECT_EQ(person.boxes.size(), 1u);
}

TEST_F(MainWindowComPortsTest, EveryOpenFollowsTheFileAsItIsNow) {
  const std::filesystem::path file = startDir / "comports.txt";
  auto rewrite = [&](const std::string& text) { std::ofstream(file, std::ios::trunc) << text; };
  // The simulated logger came back on a new terminal: choosing COM1 again opens that one.
  rewrite("COM1=/dev/pts/7\n");
  Choose("LoggerPortCB", 1);
  EXPECT_EQ(wire->opened.back(), "/dev/pts/7");
  EXPECT_EQ(person.boxes.size(), 1u);  // the start's box: this file is sound

  // Auto baud detection reopens the port through the file too, and reports a new fault once.
  rewrite("COM1=/dev/pts/8\nCOM2=\n");
  Action("AutoBaudRateDetection")->trigger();
  for (int s = 0; s < 12; ++s) {
    wire->Push(std::string(30, '\xE7'));
    Second();
  }
  EXPECT_EQ(wire->opened.back(), "/dev/pts/8");
  ASSERT_EQ(person.boxes.size(), 2u);
  EXPECT_EQ(person.boxes[1].caption, "COM Port Mapping");
  EXPECT_NE(person.boxes[1].text.find("line 2: \"COM2=\""), std::string::npos) << person.boxes[1].text;
  Action("AutoBaudRateDetection")->trigger();

  // A host setup file opens its port through the file as it is then; a device that cannot
  // be opened is named with the system's reason, under the usual words.
  rewrite("COM3=/dev/pts/9\n");
  wire->refuse.push_back("/dev/pts/9");
  wire->refuseReason = "No such file or directory";
  Choose("LoggerPortCB", 3);
  const size_t opens = wire->opened.size();
  person.ScriptFile((startDir / "com3.zrh").string());
  Action("StoreHostSetupFile")->trigger();
  rewrite("COM3=/dev/pts/10\n");
  Choose("LoggerPortCB", 0);
  person.ScriptFile((startDir / "com3.zrh").string());
  Action("LoadHostSetupFile")->trigger();
  EXPECT_EQ(wire->opened.back(), "/dev/pts/10");
  ASSERT_GT(opens, 0u);
  EXPECT_EQ(wire->opened[opens - 1], "/dev/pts/9");
  bool named = false;
  for (const auto& box : person.boxes) {
    named = named || (box.caption == "Could Not Open COM3" &&
                      box.text == "COM3 may already be assigned or may not exist\n/dev/pts/9: No such file or directory");
  }
  EXPECT_TRUE(named);
}

}  // namespace
}  // namespace ql
