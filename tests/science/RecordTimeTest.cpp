#include <gtest/gtest.h>

#include "science/RecordTime.h"

namespace ql {
namespace {

// Seconds print whole; hundredths keep two decimals, also before 1970 where the
// fraction still counts forward from the whole second below.
TEST(RecordTime, IsoTextAndSecondsByTimeUnit) {
  EXPECT_EQ((RecordTime{1765000000, 0}.Iso()), "2025-12-06T05:46:40Z");
  EXPECT_EQ((RecordTime{1765000000, 0}.Seconds()), 1765000000.0);
  EXPECT_EQ((RecordTime{123456, 1}.Iso()), "1970-01-01T00:20:34.56Z");
  EXPECT_EQ((RecordTime{123456, 1}.Seconds()), 1234.56);
  EXPECT_EQ((RecordTime{-1, 1}.Iso()), "1969-12-31T23:59:59.99Z");
  EXPECT_EQ((RecordTime{-1, 0}.Iso()), "1969-12-31T23:59:59Z");
  EXPECT_EQ((RecordTime{951782400, 0}.Iso()), "2000-02-29T00:00:00Z");
  // A time-unit byte other than 1 counts seconds.
  EXPECT_EQ((RecordTime{60, 7}.Iso()), "1970-01-01T00:01:00Z");
}

}  // namespace
}  // namespace ql
