#include <gtest/gtest.h>

#include "game/minigames/hurdle/hurdle_rules.h"
#include "game/minigames/square/square_board.h"
#include "game/minigames/swap_selection.h"
#include "game/minigames/yang/yang_board.h"

namespace kestrelle {
namespace {

using Kind = SwapSelection::Kind;

TEST(SwapSelection, SelectSwapDeselectAndMovingPieces) {
  SwapSelection selection;
  EXPECT_EQ(selection.Click(4, false).kind, Kind::kSelected);
  EXPECT_EQ(selection.Click(4, false).kind, Kind::kDeselected);
  EXPECT_FALSE(selection.Selected());
  selection.Click(1, false);
  EXPECT_EQ(selection.Click(2, true).kind, Kind::kIgnored);  // still travelling
  EXPECT_EQ(selection.Selected(), 1u);
  const auto swap = selection.Click(7, false);
  EXPECT_EQ(swap.kind, Kind::kSwap);
  EXPECT_EQ(swap.first, 1u);
  EXPECT_EQ(swap.second, 7u);
  EXPECT_FALSE(selection.Selected());
}

TEST(SquareBoard, RowsAndColumnsAddUpTo15) {
  struct Case {
    SquareGrid grid;
    bool solved;
  };
  const Case cases[] = {
      {CountingSquare(), false},
      {{{{2, 7, 6}, {9, 5, 1}, {4, 3, 8}}}, true},
      {{{{1, 6, 8}, {9, 2, 4}, {5, 7, 3}}}, true},   // diagonals 6 and 24 do not count
      {{{{2, 7, 6}, {9, 5, 1}, {4, 3, 0}}}, false},  // a missing tile
      {{{{5, 5, 5}, {5, 5, 5}, {5, 5, 4}}}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsSquareSolved(c.grid), c.solved);
}

TEST(YangBoard, MovesAndSolvedState) {
  YangBoard board = YangBoard::Starting();
  // Only the neighbours of the free centre cell move at the start.
  for (int32_t row = 0; row < 4; ++row)
    for (int32_t col = 0; col < 4; ++col) {
      const bool nextToFree = (row == 2 && (col == 1 || col == 3)) || (col == 2 && (row == 1 || row == 3));
      EXPECT_EQ(board.FreeNeighbour({row, col}).has_value(), nextToFree) << row << "," << col;
    }
  EXPECT_EQ(board.Slide({1, 2}), (YangCell{2, 2}));
  EXPECT_FALSE(board.IsOccupied({1, 2}));
  EXPECT_EQ(board.Slide({0, 0}), std::nullopt);

  // Free cells above and to the left: up wins.
  YangBoard open;
  open.Occupy({2, 2}, "");
  EXPECT_EQ(open.FreeNeighbour({2, 2}), (YangCell{1, 2}));

  YangBoard solved;
  EXPECT_FALSE(solved.IsSolved());
  solved.Occupy({1, 1}, "top_left");
  solved.Occupy({1, 2}, "top_right");
  solved.Occupy({2, 1}, "bottom_left");
  solved.Occupy({2, 2}, "bottom_right");
  EXPECT_TRUE(solved.IsSolved());
  solved.Occupy({2, 2}, "");
  EXPECT_FALSE(solved.IsSolved());
}

TEST(HurdleRules, EveryPictureOnItsGoal) {
  const std::map<std::string, std::string> goals{{"p1", "rose"}, {"p2", "tulip"}, {"p3", "fern"}};
  EXPECT_TRUE(IsHurdleSolved({{"rose", "p1"}, {"tulip", "p2"}, {"fern", "p3"}}, goals));
  EXPECT_FALSE(IsHurdleSolved({{"rose", "p2"}, {"tulip", "p1"}, {"fern", "p3"}}, goals));
  EXPECT_FALSE(IsHurdleSolved({{"rose", "p1"}, {"tulip", "nowhere"}}, goals));
}

}  // namespace
}  // namespace kestrelle
