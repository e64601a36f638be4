#include "deck/DeckPorts.h"

#include <gtest/gtest.h>

#include "serial/PortTable.h"
#include "support/FakeOperator.h"
#include "support/MemorySerialDevice.h"

namespace ql {
namespace {

struct DeckPortsTest : ::testing::Test {
  std::shared_ptr<test::MemoryWire> wire = std::make_shared<test::MemoryWire>();
  test::FakeOperator person;
  PortTable ports{test::MemoryFactory(wire), person};
  DeckPorts deck;
  DeckConfig config;

  void SetUp() override { ports.InitPortTable(); }

  void Use(int port, int function, int com, int line) {
    DeckPortRow& r = deck.Row(port);
    r.function = function;
    r.comIndex = com;
    r.lineIndex = line;
    PortType1CBChange(deck);
  }
};

TEST_F(DeckPortsTest, RowsShowWhatTheirFunctionUses) {
  Use(1, kDeckMeterInput, 3, 0);
  Use(2, kDeckLoggerOutput, 0, 6);
  UDDeckType1Click(deck, 2, 3);
  UDOutPort1Click(deck, 2, 9);
  EXPECT_TRUE(deck.notLoaded);

  const DeckPortRow& in = deck.Row(1);
  EXPECT_TRUE(in.comVisible);
  EXPECT_FALSE(in.idVisible);
  EXPECT_FALSE(in.portVisible);
  EXPECT_EQ(in.comColour, kWindowColour);
  EXPECT_EQ(in.lineColour, kRed);

  const DeckPortRow& out = deck.Row(2);
  EXPECT_TRUE(out.idVisible && out.portVisible);
  EXPECT_EQ(out.comColour, kRed);
  EXPECT_EQ(out.lineColour, kWindowColour);
  EXPECT_EQ(out.idLabel, "Output Logger ID=3");
  EXPECT_EQ(out.portLabel, "Port=9");
  EXPECT_TRUE(deck.outHeaderVisible);

  // Back to "In Active": the boxes return to "OFF" and hide at once.
  Use(1, kDeckInActive, 3, 4);
  EXPECT_EQ(deck.Row(1).comIndex, 0);
  EXPECT_EQ(deck.Row(1).lineIndex, 0);
  EXPECT_FALSE(deck.Row(1).comVisible);
}

TEST_F(DeckPortsTest, LoadOpensThePortsAndKeepsBothCopies) {
  Use(1, kDeckMeterInput, 3, 6);
  Use(2, kDeckLoggerOutput, 4, 11);
  UDDeckType1Click(deck, 2, 1);
  UDOutPort1Click(deck, 2, 5);
  Use(3, kDeckLoggerOutput, 0, 6);  // no COM: nothing opens
  BTLoadDeckClick(deck, config, ports);

  EXPECT_FALSE(deck.notLoaded);
  EXPECT_EQ(ports.OpenCom(1), 3);
  EXPECT_EQ(ports.OpenCom(2), 4);
  EXPECT_FALSE(ports.IsPortOpen(3));
  EXPECT_EQ(ports.LineSetting(2), 11);
  EXPECT_EQ(config.working[2], (DeckPortUse{kDeckLoggerOutput, 1, 5}));
  EXPECT_EQ(config.working[1].function, kDeckMeterInput);
  EXPECT_EQ(config.restore[2].comIndex, 4);
  EXPECT_EQ(config.restore[2].lineIndex, 11);

  // An edit, then Restore: the rows come back, the panel stays, nothing else moves.
  Use(2, kDeckInActive, 0, 0);
  UDDeckType1Click(deck, 1, 4);
  BTRestoreDeckClick(deck, config);
  EXPECT_TRUE(deck.notLoaded);
  EXPECT_EQ(deck.Row(2).function, kDeckLoggerOutput);
  EXPECT_EQ(deck.Row(2).comIndex, 4);
  EXPECT_EQ(deck.Row(2).lineIndex, 11);
  EXPECT_EQ(deck.Row(2).loggerPort, 5);
  EXPECT_EQ(deck.Row(2).portLabel, "Port=5");
  EXPECT_EQ(config.working[2], (DeckPortUse{kDeckLoggerOutput, 1, 5}));

  // Clear leaves the ports open and the configuration in force until the next Load.
  CloseAllSurfacePortsClick(deck);
  for (int n = 1; n <= 8; ++n) EXPECT_EQ(deck.Row(n).function, kDeckInActive);
  EXPECT_TRUE(ports.IsPortOpen(1));
  EXPECT_EQ(config.working[2].function, kDeckLoggerOutput);
  BTLoadDeckClick(deck, config, ports);
  EXPECT_FALSE(ports.IsPortOpen(1));
  EXPECT_FALSE(ports.IsPortOpen(2));
  EXPECT_EQ(config.working[2].function, kDeckInActive);
}

TEST_F(DeckPortsTest, RestoreBeforeAnyLoadKeepsTheUpDownsInRange) {
  BTRestoreDeckClick(deck, config);
  EXPECT_EQ(deck.Row(5).loggerId, 1);
  EXPECT_EQ(deck.Row(5).loggerPort, 1);
  EXPECT_EQ(deck.Row(5).function, kDeckInActive);
}

TEST_F(DeckPortsTest, FirstUseOffers9600OnPortsOneToSix) {
  EXPECT_EQ(deck.Row(1).lineIndex, 6);
  EXPECT_EQ(deck.Row(6).lineIndex, 6);
  EXPECT_EQ(deck.Row(7).lineIndex, 0);
  deck.Row(1).function = kDeckMeterInput;
  PortType1CBChange(deck);
  EXPECT_EQ(deck.Row(1).lineColour, kWindowColour);
}

}  // namespace
}  // namespace ql
