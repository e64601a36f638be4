#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/ByteOrder.h"
#include "link/DataRecordConsumer.h"
#include "link/DeckConfig.h"
#include "link/RealTimeDisplay.h"
#include "link/SenderStatistics.h"
#include "plot/NumberReader.h"
#include "plot/PlotState.h"
#include "plot/SeriesRing.h"
#include "serial/PortTable.h"
#include "support/FakeOperator.h"
#include "support/MemorySerialDevice.h"
#include "support/Packets.h"

namespace ql {
namespace {

TEST(SeriesRing, KeepsTheNewestPointsInOrderAndThinsWithoutLosingSpikes) {
  SeriesRing ring(4);
  for (int i = 0; i < 6; ++i) ring.Push(i, i * 10);
  ASSERT_EQ(ring.Size(), 4u);
  EXPECT_EQ(ring.At(0).seconds, 2);
  EXPECT_EQ(ring.At(3).value, 50);

  // The span takes the points from until - span to until.
  const auto window = ring.Window(4.5, 2, 100);
  ASSERT_EQ(window.size(), 2u);
  EXPECT_EQ(window[0].seconds, 3);
  EXPECT_EQ(window[1].seconds, 4);
  EXPECT_TRUE(ring.Window(100, 10, 100).empty());

  SeriesRing big(10000);
  for (int i = 0; i < 10000; ++i) big.Push(i, i == 4321 ? 1e6 : (i == 7000 ? -1e6 : 1.0));
  const auto thin = big.Window(9999, 10000, 200);
  EXPECT_LE(thin.size(), 200u);
  EXPECT_GE(thin.size(), 100u);
  bool high = false, low = false;
  for (size_t i = 0; i < thin.size(); ++i) {
    high = high || thin[i].value == 1e6;
    low = low || thin[i].value == -1e6;
    if (i > 0) {
      EXPECT_LT(thin[i - 1].seconds, thin[i].seconds);
    }
  }
  EXPECT_TRUE(high);
  EXPECT_TRUE(low);
}

TEST(NumberReader, NamesNumbersByTheWordBeforeThemOrTheirPlace) {
  auto n = ReadNumbers("T=12.941 C=35.37 P= 92.6");
  ASSERT_EQ(n.size(), 3u);
  EXPECT_EQ(n[0].name, "T");
  EXPECT_DOUBLE_EQ(n[0].value, 12.941);
  EXPECT_EQ(n[1].name, "C");
  EXPECT_EQ(n[2].name, "P");
  EXPECT_DOUBLE_EQ(n[2].value, 92.6);

  n = ReadNumbers("  -1.5e-3, +2E2,.5 ,7.");
  ASSERT_EQ(n.size(), 4u);
  EXPECT_EQ(n[0].name, "#1");
  EXPECT_DOUBLE_EQ(n[0].value, -1.5e-3);
  EXPECT_DOUBLE_EQ(n[1].value, 200);
  EXPECT_DOUBLE_EQ(n[2].value, 0.5);
  EXPECT_EQ(n[3].name, "#4");
  EXPECT_DOUBLE_EQ(n[3].value, 7);

  n = ReadNumbers("Temp2: -3 depth 10e dbar");
  ASSERT_EQ(n.size(), 2u);
  EXPECT_EQ(n[0].name, "Temp2");
  EXPECT_DOUBLE_EQ(n[0].value, -3);
  EXPECT_EQ(n[1].name, "depth");
  EXPECT_DOUBLE_EQ(n[1].value, 10);

  EXPECT_TRUE(ReadNumbers("").empty());
  EXPECT_TRUE(ReadNumbers("# OK - + . e").empty());

  const std::string name(100, 'x');
  n = ReadNumbers(name + "=1");
  ASSERT_EQ(n.size(), 1u);
  EXPECT_EQ(n[0].name.size(), kLongestName);
}

struct PlotFeed : ::testing::Test {
  std::shared_ptr<test::MemoryWire> wire = std::make_shared<test::MemoryWire>();
  test::FakeOperator person;
  PortTable ports{test::MemoryFactory(wire), person};
  SenderStatistics stats;
  DeckConfig deck;
  RealTimeDisplay display;
  DataRecordConsumer consumer{stats, deck, ports, display, person};
  PlotState plot;
  double now = 1000;
  int sequence = 0;

  void SetUp() override {
    consumer.hooks().accepted = [this](const uint8_t* record) { plot.AddRecord(record, now); };
  }

  void Feed(int sender, int port, const std::string& text) {
    test::DataPacketFields fields;
    fields.sender = static_cast<uint8_t>(sender);
    fields.sequence = static_cast<uint8_t>(sequence++);
    fields.sources[static_cast<size_t>(port - 1)] = text;
    fields.sources[8] = "analog";
    test::Bytes p = test::DataPacket(fields);
    consumer.ConsumeDataRecord(p.data() + 2, static_cast<int>(p.size()) - 4, 0);
  }
};

TEST_F(PlotFeed, StatusPacketsGiveVoltsMemoryAndRates) {
  StatusBytes status{};
  PutU16LE(status.data() + 48, 12480);  // current supply
  EXPECT_EQ(LoggerStatus(status).CurrentMillivolts(), 12480) << "status layout moved";
  plot.AddStatus(status, 5);
  const auto* battery = plot.Find("Battery V");
  ASSERT_NE(battery, nullptr);
  ASSERT_EQ(battery->ring.Size(), 1u);
  EXPECT_DOUBLE_EQ(battery->ring.At(0).value, 12.48);
  EXPECT_TRUE(battery->chosen);
  for (const char* name : {"Analog 7 V", "Free Memory K", "Port 8 Bytes/s"}) {
    ASSERT_NE(plot.Find(name), nullptr) << name;
    EXPECT_EQ(plot.Find(name)->ring.Size(), 1u) << name;
  }
  EXPECT_TRUE(plot.TakeChanged());
  EXPECT_FALSE(plot.TakeChanged());
}

TEST_F(PlotFeed, ChosenInstrumentLinesBecomeSeriesAcrossRecords) {
  plot.ChooseInstrument(3, 2);
  Feed(2, 3, "T=12.9");
  Feed(2, 3, "41 C=35.37\r\nno numbers here\r\n");
  Feed(1, 3, "T=99\r\n");  // another logger ID
  Feed(2, 4, "T=98\r\n");  // another port
  now = 1001;
  Feed(2, 3, "T=13.0 C=35.40\r\n");
  const auto* t = plot.Find("T");
  ASSERT_NE(t, nullptr);
  ASSERT_EQ(t->ring.Size(), 2u);
  EXPECT_DOUBLE_EQ(t->ring.At(0).value, 12.941);
  EXPECT_DOUBLE_EQ(t->ring.At(1).value, 13.0);
  EXPECT_EQ(t->ring.At(1).seconds, 1001);
  EXPECT_EQ(plot.Find("C")->ring.Size(), 2u);

  // Text that never ends a line is read in bounded pieces; numbers too large to draw are skipped.
  Feed(2, 3, std::string(2000, 'a'));
  Feed(2, 3, "=7 big=1e400\n");
  const auto* a = plot.Find(std::string(kLongestName, 'a'));
  ASSERT_NE(a, nullptr);
  ASSERT_EQ(a->ring.Size(), 1u);
  EXPECT_DOUBLE_EQ(a->ring.At(0).value, 7);
  EXPECT_EQ(plot.Find("big"), nullptr);

  // An instrument that names too many quantities is held to the limit.
  std::string wide;
  for (int i = 0; i < 40; ++i) wide += "q" + std::to_string(i) + "=1 ";
  Feed(2, 3, wide + "\n");
  size_t instrument = 0;
  for (const auto& s : plot.AllSeries()) instrument += s->fromStatus ? 0 : 1;
  EXPECT_EQ(instrument, PlotState::kMostInstrumentSeries);

  plot.ChooseInstrument(5, 2);
  EXPECT_EQ(plot.Find("T"), nullptr);
  EXPECT_NE(plot.Find("Battery V"), nullptr);
}

TEST_F(PlotFeed, SetupTextRoundTripsAndBadTextChangesNothing) {
  plot.ChooseInstrument(4, 3);
  plot.SetSpanMinutes(60);
  plot.Choose("T", true);
  plot.Choose("Battery V", false);
  const std::string text = plot.SetupText();

  PlotState other;
  ASSERT_TRUE(other.ApplySetupText(text));
  EXPECT_EQ(other.SpanMinutes(), 60);
  EXPECT_EQ(other.Port(), 4);
  EXPECT_EQ(other.LoggerId(), 3);
  EXPECT_FALSE(other.Find("Battery V")->chosen);
  EXPECT_EQ(other.SetupText(), text);

  for (const char* bad : {"span 5\ninstrument 1 2\n", "span 10\ninstrument 9 2\n", "colour red\n", "span x\n"}) {
    PlotState untouched;
    const std::string before = untouched.SetupText();
    EXPECT_FALSE(untouched.ApplySetupText(bad)) << bad;
    EXPECT_EQ(untouched.SetupText(), before) << bad;
  }
  plot.SetSpanMinutes(7);
  EXPECT_EQ(plot.SpanMinutes(), 60);
}

}  // namespace
}  // namespace ql
