#include <QSpinBox>

#include "MainWindowFixture.h"
#include "dialogs/TRS422Form.h"
#include "serial/CommandFrame.h"
#include "support/Packets.h"

namespace ql::test {
namespace {

using PCLoggerPageTest = MainWindowFixture;

Bytes FrameBytes(uint16_t code) {
  const CommandFrame frame = BuildCommandFrame(code);
  return Bytes(frame.begin(), frame.end());
}

TEST_F(PCLoggerPageTest, RowsFollowTheirFunctionAndLoadPutsThemInForce) {
  Form().ModesMenuClick(kAdvancedUser);
  Choose("LoggerPortCB", 1);
  EXPECT_TRUE(Find<QLabel>("PCLoggerPanel")->isHidden());
  EXPECT_TRUE(Find<QComboBox>("DeckPort1CB")->isHidden());

  Choose("PortType1CB", 2);
  EXPECT_FALSE(Find<QLabel>("PCLoggerPanel")->isHidden());
  EXPECT_FALSE(Find<QComboBox>("DeckPort1CB")->isHidden());
  EXPECT_EQ(Find<QLabel>("LBDeckType1")->text(), "Output Logger ID=2");
  EXPECT_FALSE(Find<QLabel>("PCOutHdr")->isHidden());
  Find<QSpinBox>("UDOutPort1")->setValue(3);
  EXPECT_EQ(Find<QLabel>("PCOutPort1")->text(), "Port=3");
  Choose("DeckPort1CB", 2);
  Choose("DeckSetup1CB", 6);

  Find<QPushButton>("BTLoadDeck")->click();
  EXPECT_TRUE(Find<QLabel>("PCLoggerPanel")->isHidden());
  EXPECT_TRUE(Host().ports.IsPortOpen(1));
  EXPECT_EQ(Host().deck.working[1], (DeckPortUse{kDeckLoggerOutput, 2, 3}));

  // Each second the open port's label shows what was relayed, then starts again.
  DataPacketFields fields;
  fields.sources[2] = "12345";
  wire->Push(DataPacket(fields));
  Second();
  EXPECT_EQ(Find<QLabel>("DSPCPort1")->text(), "Port 1:  Out    5");
  EXPECT_EQ(Find<QLabel>("PCPort1")->text(), "Port 1:  Out    5");
  EXPECT_FALSE(Find<QLabel>("DSPCPort1")->isHidden());
  EXPECT_FALSE(Find<QLabel>("DSPCPorts")->isHidden());
  EXPECT_TRUE(Find<QLabel>("DSPCPort2")->isHidden());
  Second();
  EXPECT_EQ(Find<QLabel>("PCPort1")->text(), "Port 1:  Out    0");

  // Clear, then Restore: the rows come back and the panel stays until Load.
  Find<QPushButton>("BTClearDeck")->click();
  EXPECT_EQ(Find<QComboBox>("PortType1CB")->currentIndex(), 0);
  EXPECT_TRUE(Find<QComboBox>("DeckPort1CB")->isHidden());
  EXPECT_TRUE(Host().ports.IsPortOpen(1));
  Find<QPushButton>("BTRestoreDeck")->click();
  EXPECT_EQ(Find<QComboBox>("PortType1CB")->currentIndex(), 2);
  EXPECT_EQ(Find<QComboBox>("DeckPort1CB")->currentIndex(), 2);
  EXPECT_EQ(Find<QSpinBox>("UDOutPort1")->value(), 3);
  EXPECT_FALSE(Find<QLabel>("PCLoggerPanel")->isHidden());

  // Modes without deck ports close them and show their COM boxes at "OFF".
  Form().ModesMenuClick(kMooredLogging);
  EXPECT_FALSE(Host().ports.IsPortOpen(1));
  EXPECT_EQ(Find<QComboBox>("DeckPort1CB")->currentIndex(), 0);
}

TEST_F(PCLoggerPageTest, TheRateUpDownOffersOnlyWholeIntervals) {
  QSpinBox* rate = Find<QSpinBox>("UDDeckRate");
  rate->setValue(6);
  rate->stepUp();
  EXPECT_EQ(rate->value(), 8);
  EXPECT_EQ(Find<QLabel>("LBDeckInterval")->text(), "Deck Interval:  125 ms");
  rate->stepDown();
  EXPECT_EQ(rate->value(), 6);
  EXPECT_EQ(Host().deckPorts.rate.interval, 166);
}

TEST_F(PCLoggerPageTest, InterfaceDialogHidesBeforeTheCommandGoesOut) {
  TRS422Form* dialog = windows.rs422Form;
  Choose("LoggerPortCB", 1);
  wire->TakeFromHost();
  Action("ChangeHostInterface")->trigger();
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->windowTitle(), "Changing Host Port Interface Protocol");

  bool hiddenWhenSent = false;
  wire->onWrite = [&] { hiddenWhenSent = !dialog->isVisible(); };
  dialog->findChild<QPushButton*>("RS422Button")->click();
  EXPECT_TRUE(hiddenWhenSent);
  EXPECT_EQ(wire->TakeFromHost(), FrameBytes(CmdSelectRs422));

  Action("ChangeHostInterface")->trigger();
  dialog->findChild<QPushButton*>("RS232Button")->click();
  EXPECT_EQ(wire->TakeFromHost(), FrameBytes(CmdSelectRs232));

  Action("ChangeHostInterface")->trigger();
  dialog->findChild<QPushButton*>("RS422Cancel")->click();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_TRUE(wire->TakeFromHost().empty());
}

}  // namespace
}  // namespace ql::test
