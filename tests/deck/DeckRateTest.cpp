#include "deck/DeckRate.h"

#include <gtest/gtest.h>

#include <set>

namespace ql {
namespace {

// Clicks the up-down once from where it stands.
void Click(DeckRate& deck, int delta) { UDDeckRateClick(deck, deck.rate + delta); }

TEST(DeckRateTest, ClicksSnapInTheirDirection) {
  DeckRate deck;
  UDDeckRateClick(deck, 6);
  Click(deck, +1);
  EXPECT_EQ(deck.rate, 8);
  EXPECT_EQ(deck.interval, 125);
  EXPECT_EQ(deck.rateLabel, "Deck Rate:  8 Hz");
  EXPECT_EQ(deck.intervalLabel, "Deck Interval:  125 ms");
  Click(deck, -1);
  EXPECT_EQ(deck.rate, 6);
  EXPECT_EQ(deck.interval, 166);

  UDDeckRateClick(deck, 3);
  EXPECT_EQ(deck.intervalLabel, "Deck Interval:  333 ms");
  UDDeckRateClick(deck, 20);
  EXPECT_EQ(deck.rateLabel, "Deck Rate: 20 Hz");
  EXPECT_EQ(deck.interval, 50);
}

TEST(DeckRateTest, OnlyTheOfferedRatesAreReachable) {
  DeckRate deck;
  std::set<int> seen{deck.rate};
  for (int i = 0; i < 25; ++i) {
    Click(deck, +1);
    seen.insert(deck.rate);
  }
  EXPECT_EQ(deck.rate, 20);
  for (int i = 0; i < 25; ++i) {
    Click(deck, -1);
    seen.insert(deck.rate);
  }
  EXPECT_EQ(deck.rate, 1);
  EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4, 5, 6, 8, 10, 12, 16, 20}));
}

TEST(DeckRateTest, ASetPositionComparesWithThePreviousStep) {
  // The first step compares with -1 and so snaps upwards.
  DeckRate fresh;
  UDDeckRateClick(fresh, 7);
  EXPECT_EQ(fresh.rate, 8);
  DeckRate fresh15;
  UDDeckRateClick(fresh15, 15);
  EXPECT_EQ(fresh15.rate, 16);

  DeckRate at20;
  UDDeckRateClick(at20, 20);
  UDDeckRateClick(at20, 16);
  EXPECT_EQ(at20.rate, 12);
  EXPECT_EQ(at20.interval, 83);

  // The same rate set again stays: a stored 16 Hz loads back as 16 Hz.
  DeckRate at16;
  UDDeckRateClick(at16, 16);
  UDDeckRateClick(at16, 16);
  EXPECT_EQ(at16.rate, 16);

  // Positions beyond the up-down's range are where the up-down would stop.
  DeckRate wild;
  UDDeckRateClick(wild, 400);
  EXPECT_EQ(wild.rate, 20);
  UDDeckRateClick(wild, -3);
  EXPECT_EQ(wild.rate, 1);
  EXPECT_EQ(wild.interval, 1000);
}

}  // namespace
}  // namespace ql
