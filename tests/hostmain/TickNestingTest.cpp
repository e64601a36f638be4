#include "MainWindowFixture.h"
#include "support/Packets.h"

namespace ql {
namespace {

// A box raised inside a tick keeps the message loop running under a real window, so
// every timer may fire before the box is closed. No tick may start inside another, and
// the interrupted tick must find its "running" state as it left it.
struct TickNestingTest : test::MainWindowFixture {
  bool boxSeen = false;

  void SetUp() override {
    MainWindowFixture::SetUp();
    Choose("LoggerPortCB", 1);
    person.boxes.clear();
    person.whileOpen = [this] {
      person.whileOpen = nullptr;
      boxSeen = true;
      EXPECT_TRUE(person.tickRunning);
      const int loops = Host().cycle.loops;
      Form().Timer10msTimer();
      Form().Timer475msTimer();
      Form().Timer1000msTimer();
      EXPECT_EQ(Host().cycle.loops, loops) << "a tick ran inside another";
      EXPECT_TRUE(person.tickRunning) << "a nested tick cleared the interrupted tick's state";
    };
  }

  void ExpectOneBoxInsideATick(const char* caption) {
    EXPECT_TRUE(boxSeen);
    ASSERT_EQ(person.boxes.size(), 1u);
    EXPECT_EQ(person.boxes[0].caption, caption);
    EXPECT_FALSE(person.tickRunning);
  }
};

TEST_F(TickNestingTest, BoxRaisedInTheFastTick) {
  test::DataPacketFields fields;
  fields.sender = 9;  // no such logger ID
  fields.sources[0] = "x";
  wire->Push(test::DataPacket(fields));
  FastTicks(3);
  ExpectOneBoxInsideATick("Mux ID Error");
}

TEST_F(TickNestingTest, BoxRaisedInTheSetupTick) {
  wire->Push(test::FixedPacket(1));
  FastTicks(1);
  ASSERT_TRUE(Host().records.setupReceived);
  wire->refuse.push_back(Host().ports.Map().DeviceName(1));  // the port reopened at the logger's speed fails
  Form().Timer475msTimer();
  ExpectOneBoxInsideATick("Could Not Open COM1");
}

TEST_F(TickNestingTest, BoxRaisedInTheOneSecondTick) {
  Action("AutoBaudRateDetection")->trigger();
  Host().cycle.badDataTimer = 0;
  wire->refuse.push_back(Host().ports.Map().DeviceName(1));  // the next speed's reopen fails
  Form().Timer1000msTimer();
  ExpectOneBoxInsideATick("Could Not Open COM1");
}

}  // namespace
}  // namespace ql
