#include "archive/PcLogger.h"

#include <gtest/gtest.h>

#include "archive/Annotation.h"
#include "common/ByteOrder.h"
#include "common/Calendar.h"
#include "link/DeckConfig.h"
#include "serial/PortTable.h"
#include "support/FakeOperator.h"
#include "support/MemorySerialDevice.h"

namespace ql {
namespace {

// 2026-12-07 10:59:00 as host (local) seconds and as UTC in a zone one hour east.
const int64_t kHostStart = FromCalendar(2026, 12, 7, 10, 59, 0);
const int64_t kUtcStart = kHostStart - 3600;

struct PcLoggerTest : ::testing::Test {
  std::shared_ptr<test::MemoryWire> wire = std::make_shared<test::MemoryWire>();
  test::FakeOperator person;
  PortTable ports{test::MemoryFactory(wire), person};
  DeckConfig deck;
  Annotation annotation;
  PcLogger logger;
  PcLogger::Choice choice;
  PcLogger::InputCounts input{};
  int64_t elapsedMs = 0;

  void At(int64_t ms) {
    elapsedMs = ms;
    const int64_t utcMs = kUtcStart * 1000 + ms;
    logger.ReadClock(utcMs, kHostStart + ms / 1000, static_cast<int>(ms % 1000));
  }
  int Build() { return logger.Build(choice, annotation, ports, deck, input); }
  std::string Data(int length) {
    return std::string(reinterpret_cast<const char*>(logger.Record()) + archive::kHeaderSize,
                       static_cast<size_t>(length - archive::kEnvelope));
  }
  int Count(int source) { return GetU16BE(logger.Record() + archive::kCounts + 2 * source); }
};

TEST_F(PcLoggerTest, NothingToCarryHandsOnNothingAndKeepsTheSequence) {
  for (int s = 0; s <= 10; ++s) {
    At(s * 1000 + 5);
    EXPECT_EQ(Build(), 0);
  }
  EXPECT_EQ(logger.Sequence(), 0);
}

TEST_F(PcLoggerTest, PcTimeRecordsCarryTheTimeTextInTheNinthSlotInTheLoggersOrder) {
  choice.addPcTime = true;
  At(0);
  At(990);
  EXPECT_EQ(Build(), 0);  // the interval has not passed yet
  At(1234);
  const int length = Build();
  ASSERT_EQ(length, 23 + 32);
  const uint8_t* r = logger.Record();
  EXPECT_EQ(r[archive::kFormat], 1);
  EXPECT_EQ(r[archive::kTimeUnit], 1);
  EXPECT_EQ(r[archive::kSender], PcLogger::kLoggerId);
  EXPECT_EQ(r[archive::kSequence], 0);
  EXPECT_EQ(GetU16BE(r + archive::kDataLength), 23);
  EXPECT_EQ(GetU32BE(r + archive::kTime), 0u);  // the record began at the first reading
  EXPECT_EQ(Count(8), 23);
  EXPECT_EQ(Data(length), "12/07/26\t10:59:01.230\r\n");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(r) + length - 4, 4), "####");

  At(2240);
  ASSERT_GT(Build(), 0);
  EXPECT_EQ(r[archive::kSequence], 1);
  EXPECT_EQ(GetU32BE(r + archive::kTime), 123u);  // 1230 ms in 10 ms units
}

TEST_F(PcLoggerTest, MeterInputPortsAreReadInPortOrderAndCounted) {
  deck.working[3].function = kDeckMeterInput;
  deck.working[5].function = kDeckLoggerOutput;
  ports.ConfigurePort(3, 3, 6);
  wire->Push(std::string("T=12.941 C=35.37\r\n"));
  At(0);
  At(1000);
  const int length = Build();
  ASSERT_EQ(length, 18 + 32);
  EXPECT_EQ(Count(2), 18);
  EXPECT_EQ(Count(8), 0);
  EXPECT_EQ(Data(length), "T=12.941 C=35.37\r\n");
  EXPECT_EQ(input[3], 18u);
}

TEST_F(PcLoggerTest, AMarkAlwaysFitsAndWhatThePortCouldNotDeliverWaitsForTheNextRecord) {
  deck.working[1].function = kDeckMeterInput;
  ports.ConfigurePort(1, 1, 6);
  wire->Push(std::string(5000, 'd'));
  annotation.InsertAnnotation("Start Sample 3", "12/07/26\t10:59:01.230", person);
  At(0);
  At(1000);
  const int length = Build();
  ASSERT_EQ(length, archive::kMaxBuiltData + 32);  // a record replay can take
  const std::string mark = "12/07/26\t10:59:01.230 Start Sample 3\r\n";
  EXPECT_EQ(Count(8), static_cast<int>(mark.size()));
  EXPECT_EQ(Count(0), archive::kMaxBuiltData - static_cast<int>(mark.size()));
  EXPECT_EQ(Data(length).substr(static_cast<size_t>(Count(0))), mark);
  EXPECT_FALSE(annotation.pending);
  EXPECT_EQ(wire->toHost.size(), 5000u - static_cast<size_t>(Count(0)));
}

TEST_F(PcLoggerTest, MillisecondsRunOnThroughNewYear) {
  const int64_t eve = FromCalendar(2026, 12, 31, 23, 59, 59);
  logger.ReadClock(eve * 1000 + 500, eve, 500);
  logger.ReadClock((eve + 1) * 1000 + 500, eve + 1, 500);
  EXPECT_EQ(logger.NowMs(), 1000);
  EXPECT_EQ(logger.TimeText(), "01/01/27\t00:00:00.500");
}

}  // namespace
}  // namespace ql
