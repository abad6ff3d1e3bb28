#include "game/minigames/path/path_board.h"

#include <gtest/gtest.h>

namespace kestrelle {
namespace {

TEST(PathBoard, TopLeftPieceFacingTheEntry) {
  // The flow enters moving right: only pieces with a left end connect.
  struct Case {
    const char* type;
    int32_t angle;
    bool connects;
  };
  const Case cases[] = {{"line", 0, true},    {"line", 90, false}, {"line", 180, true},
                        {"line", 270, false}, {"turn", 0, true},   {"turn", 90, false},
                        {"turn", 180, false}, {"turn", 270, true}, {"cross", 0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.type) + " " + std::to_string(c.angle));
    PathBoard board(1, 2);
    board.SetPiece(0, 0, c.type, c.angle);
    board.Evaluate(kPathRight);
    EXPECT_EQ(board.IsConnected(0, 0), c.connects);
  }
}

TEST(PathBoard, CompleteRunAndTurning) {
  // Right along the top row, down the right column, out at the bottom.
  PathBoard board(2, 2);
  board.SetPiece(0, 0, "line", 0);
  board.SetPiece(0, 1, "turn", 0);   // left, down
  board.SetPiece(1, 0, "line", 90);  // off the run
  board.SetPiece(1, 1, "line", 90);  // up, down
  board.Evaluate(kPathRight);
  EXPECT_TRUE(board.IsComplete(kPathDown));
  EXPECT_FALSE(board.IsComplete(kPathRight));
  EXPECT_FALSE(board.IsConnected(1, 0));

  EXPECT_EQ(board.Turn(0, 1), 90);
  board.Evaluate(kPathRight);
  EXPECT_TRUE(board.IsConnected(0, 0));
  EXPECT_FALSE(board.IsConnected(0, 1));
  EXPECT_FALSE(board.IsComplete(kPathDown));
  for (int i = 0; i < 3; ++i) board.Turn(0, 1);
  EXPECT_EQ(board.Angle(0, 1), 0);
  board.Evaluate(kPathRight);
  EXPECT_TRUE(board.IsComplete(kPathDown));
}

TEST(PathBoard, ARunThatComesBackStops) {
  // Four turns in a ring: entering the top-left cell moving up leads round the ring back into it.
  PathBoard board(2, 2);
  board.SetPiece(0, 0, "turn", 90);   // down, right
  board.SetPiece(0, 1, "turn", 0);    // left, down
  board.SetPiece(1, 1, "turn", 270);  // left, up
  board.SetPiece(1, 0, "turn", 180);  // up, right
  board.Evaluate(kPathUp);
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < 2; ++col) EXPECT_TRUE(board.IsConnected(row, col));
  EXPECT_FALSE(board.IsComplete(kPathDown));
}

}  // namespace
}  // namespace kestrelle
