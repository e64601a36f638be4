#include "deck/DeckLabels.h"

#include <gtest/gtest.h>

#include "deck/DeckPorts.h"
#include "serial/PortTable.h"
#include "support/FakeOperator.h"
#include "support/MemorySerialDevice.h"

namespace ql {
namespace {

TEST(DeckLabelsTest, EachSecondShowsTheCountsAndStartsThemAgain) {
  auto wire = std::make_shared<test::MemoryWire>();
  test::FakeOperator person;
  PortTable ports{test::MemoryFactory(wire), person};
  ports.InitPortTable();
  DeckPorts deck;
  DeckConfig config;
  deck.Row(1) = {};
  deck.Row(1).function = kDeckLoggerOutput;
  deck.Row(1).comIndex = 2;
  deck.Row(1).lineIndex = 6;
  deck.Row(2).function = kDeckMeterInput;
  deck.Row(2).comIndex = 3;
  deck.Row(2).lineIndex = 6;
  BTLoadDeckClick(deck, config, ports);

  std::array<uint32_t, 9> output{};
  // A long cruise: counts beyond what a 16-bit or signed counter holds.
  output[1] = 3'000'000'000u;
  deck.input[2] = 17;
  ShowDeckPortLabels(deck, config, ports, output);
  EXPECT_EQ(deck.Row(1).label, "Port 1:  Out 3000000000");
  EXPECT_EQ(deck.Row(2).label, "Port 2:  In    17");
  EXPECT_EQ(deck.Row(3).label, "Port 3:");
  EXPECT_TRUE(deck.Row(1).labelVisible);
  EXPECT_TRUE(deck.Row(2).labelVisible);
  EXPECT_FALSE(deck.Row(3).labelVisible);
  // Port 8 is closed, but the heading stays over the open ports' labels.
  EXPECT_TRUE(deck.labelsHeadingVisible);
  EXPECT_EQ(output[1], 0u);
  EXPECT_EQ(deck.input[2], 0u);

  ShowDeckPortLabels(deck, config, ports, output);
  EXPECT_EQ(deck.Row(1).label, "Port 1:  Out    0");

  // A row refresh shows the inputs heading while a port label shows.
  RefreshDeckRows(deck);
  EXPECT_TRUE(deck.inHeaderVisible);
  for (int n = 1; n <= 8; ++n) ports.ClosePort(n);
  ShowDeckPortLabels(deck, config, ports, output);
  EXPECT_FALSE(deck.labelsHeadingVisible);
  RefreshDeckRows(deck);
  EXPECT_FALSE(deck.inHeaderVisible);
}

}  // namespace
}  // namespace ql
