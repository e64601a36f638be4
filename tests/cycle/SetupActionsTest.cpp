#include "cycle/SetupActions.h"

#include <gtest/gtest.h>

#include "hostmain/SimulatedHost.h"
#include "loggersim/LoggerPackets.h"
#include "serial/CommandFrame.h"

namespace ql {
namespace {

using Kind = sim::HostMessage::Kind;

struct SetupActionsTest : ::testing::Test {
  test::SimulatedHost sim;
  HostState& host = sim.host;

  int CommandsHeard(uint16_t code) const {
    int n = 0;
    for (const sim::HostMessage& m : sim.logger->Heard()) n += m.kind == Kind::Command && m.code == code;
    return n;
  }
  int SetupsHeard() const {
    int n = 0;
    for (const sim::HostMessage& m : sim.logger->Heard()) n += m.kind == Kind::Setup;
    return n;
  }
};

TEST_F(SetupActionsTest, GetSetupLoadsTheControlsAndReopensThePortAtTheLoggersSpeed) {
  sim.Second();
  EXPECT_FALSE(host.setupPage.setupCurrent);
  const int opensBefore = host.ports.OpenCom(0);
  BTGetSetup1Click(host, SetupButton::kGetSetup);
  sim.Seconds(2);
  const SetupPageState& page = host.setupPage;
  EXPECT_TRUE(page.setupCurrent);
  EXPECT_EQ(page.controls.mode, 2);  // the simulator runs in real-time mode
  EXPECT_TRUE(page.loggerModeVisible);
  EXPECT_EQ(page.loggerModeText, "Real Time Data       ");
  EXPECT_EQ(host.loggerPort.lineIndex, 6);
  EXPECT_EQ(opensBefore, 1);
  EXPECT_EQ(host.ports.OpenCom(0), 1);
}

TEST_F(SetupActionsTest, SentEditComesBackFromTheLogger) {
  BTGetSetup1Click(host, SetupButton::kGetSetup);
  sim.Seconds(2);
  host.setupPage.controls.times[kSample] = {7, kMinutes};
  CBPort1SetupChange(host);
  EXPECT_FALSE(host.setupPage.setupCurrent);
  BTSendSetup1Click(host);
  EXPECT_FALSE(host.setupPage.setupCurrent);  // sending does not make it current
  sim.Second();
  EXPECT_EQ(SetupsHeard(), 1);
  EXPECT_EQ(sim.logger->RejectedRecords(), 0);

  host.setupPage.controls.times[kSample] = {5, kSeconds};  // an edit not sent
  BTGetSetup1Click(host, SetupButton::kGetSetup);
  sim.Seconds(2);
  EXPECT_EQ(host.setupPage.controls.times[kSample], (TimeSetting{7, kMinutes}));
  EXPECT_TRUE(host.setupPage.setupCurrent);
}

TEST_F(SetupActionsTest, SendSetupRefusesWhileAComboHasNoSelection) {
  host.setupPage.controls.mode = -1;
  BTSendSetup1Click(host);
  sim.Second();
  EXPECT_EQ(SetupsHeard(), 0);
  ASSERT_EQ(sim.person.boxes.size(), 1u);
  EXPECT_EQ(sim.person.boxes[0].caption, "*** Warning *** 'Send Setup' has been aborted.");
}

TEST_F(SetupActionsTest, StoreIndicatorAsksForTheSetupOnlyInStandby) {
  // Before any status the state is 0.
  BTGetSetup1Click(host, SetupButton::kStoreIndicator);
  ASSERT_EQ(sim.person.boxes.size(), 1u);
  EXPECT_EQ(sim.person.boxes[0].caption, "Unable to Complete Command");
  sim.Second();  // the simulator reports "Sampling"
  BTGetSetup1Click(host, SetupButton::kStoreIndicator);
  EXPECT_EQ(sim.person.boxes.size(), 2u);
  sim.Second();
  EXPECT_EQ(CommandsHeard(CmdGetSetup), 0);

  BTStopClick(host);
  sim.Seconds(2);
  EXPECT_EQ(host.statusMemory.loggerState, 9);
  BTGetSetup1Click(host, SetupButton::kStoreIndicator);
  sim.Second();
  EXPECT_EQ(CommandsHeard(CmdGetSetup), 1);
  EXPECT_EQ(sim.person.boxes.size(), 2u);
}

TEST_F(SetupActionsTest, StopFollowsTheLoggersHostPortSetting) {
  host.setupPage.controls.hostPortLine = 7;  // "9600,7,E,1"
  BTStopClick(host);
  sim.Second();
  ASSERT_FALSE(sim.logger->Heard().empty());
  EXPECT_EQ(sim.logger->Heard().back().kind, Kind::Text);
  EXPECT_EQ(CommandsHeard(CmdStop), 0);

  host.setupPage.controls.hostPortLine = 6;
  BTStopClick(host);
  sim.Second();
  EXPECT_EQ(CommandsHeard(CmdStop), 1);
  BTGetSetup1Click(host, SetupButton::kBegin);
  sim.Second();
  EXPECT_EQ(CommandsHeard(CmdBeginSample), 1);
}

TEST_F(SetupActionsTest, TwoSetupsWithinOneSecondAreShownAndTheyReopenThePortOnce) {
  BTGetSetup1Click(host, SetupButton::kGetSetup);
  BTGetSetup1Click(host, SetupButton::kGetSetup);
  for (int i = 0; i < 20; ++i) {
    sim.logger->Advance(50);
    Timer10msTimer(host);
    Timer10msTimer(host);
  }
  EXPECT_EQ(sim.logger->counters().setupPackets, 2);
  EXPECT_TRUE(host.records.setupReceived);
  host.cycle.noDataTimer = -7;
  Timer475msTimer(host);
  EXPECT_TRUE(host.setupPage.setupCurrent);
  EXPECT_FALSE(host.records.setupReceived);
  EXPECT_EQ(host.cycle.noDataTimer, 2);  // the port change handler ran
  host.cycle.noDataTimer = -7;
  Timer475msTimer(host);
  EXPECT_EQ(host.cycle.noDataTimer, -7);  // and only once
}

TEST_F(SetupActionsTest, StatusUpdatesTheHostsViewOfTheLogger) {
  sim.Second();
  EXPECT_EQ(host.statusMemory.loggerState, 6);
  EXPECT_EQ(host.statusMemory.loggerName, "QL-9");
  EXPECT_STREQ(host.uploadCaptions.getDirectory, "Get QL-9 Directory");
  EXPECT_EQ(host.setupPage.meterType, 2);
  EXPECT_EQ(host.pc.loggerClockColour, kButtonFace);
  ASSERT_TRUE(host.pending.status.has_value());
  EXPECT_EQ(host.pending.status->operation, "Sampling");
  EXPECT_FALSE(host.pending.status->drift.visible);

  sim.logger->faults().silent = true;
  sim.Seconds(3);
  EXPECT_EQ(host.pc.loggerClockColour, kYellow);
}

TEST_F(SetupActionsTest, EditsMarkTheSetupNotCurrentAndKeepTheRateMinimums) {
  SetSetupCurrent(host, true);
  SetupControls& c = host.setupPage.controls;
  c.meter[2] = 1;  // BX5 on port 3
  c.portLine[2] = 6;
  c.analogRate = 1;
  CBPort1SetupChange(host);
  EXPECT_FALSE(host.setupPage.setupCurrent);
  EXPECT_EQ(c.analogRate, 2);
  EXPECT_EQ(host.setupPage.analogRate.text, "2 Hz   500 ms");

  c.analogRate = 1;  // a click on the rate itself applies no minimum
  SetSetupCurrent(host, true);
  UDAnalogRateClick(host);
  EXPECT_EQ(c.analogRate, 1);
  EXPECT_FALSE(host.setupPage.setupCurrent);

  c.lowVoltageCutoff = 105;
  UDLVCutOffClick(host);
  EXPECT_EQ(host.setupPage.lowVoltage, "10.5 V");
}

TEST_F(SetupActionsTest, HostModesSetTheSetupCombosAndTheLayout) {
  auto d = ChooseHostMode(host, kMooredLogging);
  ASSERT_TRUE(d.has_value());
  EXPECT_EQ(host.setupPage.controls.mode, 1);
  EXPECT_EQ(host.setupPage.controls.file, 1);
  EXPECT_TRUE(host.setupPage.layout.moored);
  EXPECT_EQ(host.setupPage.layout.groupBox7Left, 168);
  EXPECT_FALSE(host.setupPage.setupCurrent);

  // Advanced User keeps the operator's choice, or picks real time when there is none.
  host.setupPage.controls.mode = 12;
  ChooseHostMode(host, kAdvancedUser);
  EXPECT_EQ(host.setupPage.controls.mode, 12);
  EXPECT_EQ(host.setupPage.controls.output, 1);
  EXPECT_TRUE(host.setupPage.layout.polledButtonsVisible);
  host.setupPage.controls.mode = -1;
  ChooseHostMode(host, kAdvancedUser);
  EXPECT_EQ(host.setupPage.controls.mode, 2);

  // PC-Logger closes the logger port.
  EXPECT_TRUE(host.ports.IsPortOpen(0));
  d = ChooseHostMode(host, kPcLogger);
  EXPECT_FALSE(host.ports.IsPortOpen(0));
  EXPECT_EQ(host.loggerPort.comIndex, 0);
  EXPECT_FALSE(d->store);

  // Modes 6 and 7 change nothing of the table, but still leave the setup not current.
  SetSetupCurrent(host, true);
  EXPECT_FALSE(ChooseHostMode(host, kSct3Output).has_value());
  EXPECT_FALSE(host.setupPage.setupCurrent);
  EXPECT_EQ(host.hostMode, kSct3Output);
}

TEST_F(SetupActionsTest, ModeLabelsTurnRedWhileHostAndLoggerModesDisagree) {
  ChooseHostMode(host, kProfileLogging);
  BTGetSetup1Click(host, SetupButton::kGetSetup);
  sim.Seconds(2);
  EXPECT_TRUE(host.setupPage.modesDisagree);  // logger in real time, host in profile
  ChooseHostMode(host, kRealTimeData);
  EXPECT_FALSE(host.setupPage.modesDisagree);
  ChooseHostMode(host, kAdvancedUser);
  EXPECT_FALSE(host.setupPage.modesDisagree);
}

}  // namespace
}  // namespace ql
