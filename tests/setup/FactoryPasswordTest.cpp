#include "setup/FactoryPassword.h"

#include <gtest/gtest.h>

#include "support/FakeOperator.h"

namespace ql {
namespace {

TEST(FactoryPasswordTest, GateAndItsTwoTexts) {
  test::FakeOperator op;
  FactoryPassword gate;
  EXPECT_TRUE(gate.CheckPassword("GrayMoose", op));
  EXPECT_TRUE(gate.CheckPassword("GrayMoose and more", op));
  EXPECT_TRUE(op.boxes.empty());

  EXPECT_FALSE(gate.CheckPassword("graymoose", op));
  EXPECT_FALSE(gate.CheckPassword("GRAYMOOSE", op));
  EXPECT_FALSE(gate.CheckPassword("GrayMoos", op));
  EXPECT_FALSE(gate.CheckPassword("", op));
  EXPECT_TRUE(gate.CheckPassword("GrayMoose", op));  // a pass does not reset the count
  EXPECT_FALSE(gate.CheckPassword("Enter Password", op));
  ASSERT_EQ(op.boxes.size(), 5u);
  for (const auto& box : op.boxes) {
    EXPECT_EQ(box.kind, "warning");
    EXPECT_EQ(box.caption, "Password Error");
  }
  EXPECT_EQ(op.boxes[0].text,
            "You Must Enter a Valid Password to Change the Hardware Configuration or Analog Calibration");
  for (size_t i = 1; i < op.boxes.size(); ++i) {
    EXPECT_EQ(op.boxes[i].text, "An Invalid Password Was Entered -- Please Check Caps Lock");
  }
  EXPECT_EQ(gate.Failures(), 5);
}

}  // namespace
}  // namespace ql
