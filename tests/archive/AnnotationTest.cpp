#include "archive/Annotation.h"

#include <gtest/gtest.h>

#include "support/FakeOperator.h"

namespace ql {
namespace {

const std::string kTime = "12/07/26\t10:59:01.230";

struct AnnotationTest : ::testing::Test {
  test::FakeOperator person;
  Annotation a;
};

TEST_F(AnnotationTest, StartAndEndCarryTheSameNumberAndTheLabelShowsTheNext) {
  a.StartSample(kTime, person);
  EXPECT_EQ(a.pendingText, kTime + " Start Sample 1");
  EXPECT_EQ(a.Take(), kTime + " Start Sample 1");
  a.EndSample(kTime, person);
  EXPECT_EQ(a.Take(), kTime + " End Sample 1");
  EXPECT_EQ(a.lastMark, "End Sample 1");
  EXPECT_EQ(a.markTime, kTime);
  EXPECT_EQ(a.next, 2);
  EXPECT_EQ(a.nextLabel, "Next Water Sample:  2");
  EXPECT_TRUE(person.boxes.empty());
}

TEST_F(AnnotationTest, ResetAfterSampleSevenStartsAgainAtOne) {
  a.NextMoved(7);
  EXPECT_EQ(a.nextLabel, "Next Water Sample: 7");  // one blank when moved by hand
  a.StartSample(kTime, person);
  EXPECT_EQ(a.Take(), kTime + " Start Sample 7");
  a.ResetCount();
  EXPECT_EQ(a.nextLabel, "Next Water Sample:  1");
  a.StartSample(kTime, person);
  EXPECT_EQ(a.Take(), kTime + " Start Sample 1");
  a.NextMoved(1000);
  a.StartSample(kTime, person);
  EXPECT_EQ(a.next, 1000);  // the up-down's top
}

TEST_F(AnnotationTest, TwoMarksInOneIntervalDiscardTheFirstWithAMessage) {
  a.InsertText("first", kTime, person);
  a.InsertText("second", kTime, person);
  ASSERT_EQ(person.boxes.size(), 1u);
  EXPECT_EQ(person.boxes[0].caption, "Error - Unable to insert this record into the Archive File");
  EXPECT_EQ(person.boxes[0].text, kTime + " first");
  EXPECT_TRUE(a.pending);
  EXPECT_EQ(a.Take(), kTime + " second");
}

TEST_F(AnnotationTest, EmptyAndOverlongTexts) {
  a.InsertText("", kTime, person);
  EXPECT_EQ(a.Take(), kTime + " ");
  a.InsertText(std::string(5000, 'n'), kTime, person);
  EXPECT_EQ(a.pendingText.size(), static_cast<size_t>(Annotation::kPendingSize - 1));
  a.InsertText(std::string(Annotation::kLongestMark, 'n'), kTime, person);
  EXPECT_EQ(a.pendingText.size(), static_cast<size_t>(Annotation::kPendingSize - 1));

  // As many characters as the edit takes, each two bytes in UTF-8: the cut falls
  // between characters.
  std::string degrees;
  for (int i = 0; i < Annotation::kLongestMark; ++i) degrees += "\xC2\xB0";
  a.InsertText(degrees, kTime, person);
  const std::string& kept = a.pendingText;
  ASSERT_LE(kept.size(), static_cast<size_t>(Annotation::kPendingSize - 1));
  EXPECT_EQ(kept.size(), static_cast<size_t>(Annotation::kPendingSize - 2));
  EXPECT_EQ(static_cast<unsigned char>(kept.back()), 0xB0);
}

}  // namespace
}  // namespace ql
