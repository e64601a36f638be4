#include "cycle/StatsBoard.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

TEST(StatsBoardTest, OnlyTheOwnerWritesAndOnlyWhileItHoldsTheWindow) {
  StatsBoard board;
  board.StatsSetLine(0, 1, "Bytes/Sec:  5");
  EXPECT_EQ(board.At(1).text, "");  // never opened: nothing changes

  board.StatsOpen(0, 9, "Host Port Statistics");
  EXPECT_TRUE(board.WindowVisible());
  EXPECT_EQ(board.Caption(), "Host Port Statistics");
  EXPECT_TRUE(board.At(9).visible);
  board.StatsSetLine(0, 1, "Bytes/Sec:  5");
  board.StatsSetLine(3, 1, "other owner");
  board.StatsSetLine(0, 10, "no such line");
  board.StatsSetColor(0, 3, kRed);
  EXPECT_EQ(board.At(1).text, "Bytes/Sec:  5");
  EXPECT_EQ(board.At(3).colour, kRed);

  // The close box only hides: the owner keeps writing.
  board.HideWindow();
  board.StatsSetLine(0, 2, "Total Input: 7");
  EXPECT_EQ(board.At(2).text, "Total Input: 7");
  EXPECT_EQ(board.Owner(), 0);

  board.StatsClose();
  EXPECT_EQ(board.Owner(), StatsBoard::kNoOwner);
  EXPECT_EQ(board.Caption(), "Closed");
  EXPECT_FALSE(board.At(1).visible);
  board.StatsSetLine(0, 2, "dropped");
  EXPECT_EQ(board.At(2).text, "Total Input: 7");
}

TEST(StatsBoardTest, OpeningWithFewLinesShowsOnlyThoseAndBadCountsClose) {
  StatsBoard board;
  board.StatsOpen(4, 4, "Four");
  EXPECT_TRUE(board.At(4).visible);
  EXPECT_FALSE(board.At(5).visible);
  board.StatsOpen(4, 10, "Ten");
  EXPECT_FALSE(board.WindowVisible());
  EXPECT_EQ(board.Owner(), StatsBoard::kNoOwner);
}

}  // namespace
}  // namespace ql
