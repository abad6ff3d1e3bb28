#include <gtest/gtest.h>

#include "game/minigames/diffs/diff_rules.h"
#include "game/minigames/puzzle/puzzle_rules.h"
#include "game/minigames/remove_items/room_drawing.h"
#include "game/minigames/satchel/satchel_grid.h"
#include "support/widget_harness.h"

namespace kestrelle {
namespace {

TEST(DiffRules, MirroredPointer) {
  const TRect left{10, 100, 410, 500};
  const TRect right{510, 100, 910, 500};
  struct Case {
    TPoint pointer;
    std::optional<TPoint> mirrored;
  };
  const Case cases[] = {
      {{50, 200}, TPoint{550, 200}}, {{600, 300}, TPoint{100, 300}}, {{50, 105}, std::nullopt},
      {{50, 110}, TPoint{550, 110}}, {{460, 300}, std::nullopt},     {{910, 500}, TPoint{410, 500}},
  };
  for (const Case& c : cases) EXPECT_EQ(MirroredPointer(c.pointer, left, right), c.mirrored) << c.pointer.x;
}

TEST(DiffRules, HintDrawsAmongTheRemaining) {
  {
    testing::ScriptedRandom random({3});
    EXPECT_EQ(HintPatch(7, 3, 4), 3);  // 4 left: the draw is below 4
  }
  // Nothing left to find: no draw at all (the scripted list is empty).
  testing::ScriptedRandom none({});
  EXPECT_EQ(HintPatch(5, 5, 0), std::nullopt);
  EXPECT_EQ(HintPatch(5, 7, 0), std::nullopt);
  testing::ScriptedRandom beyond({2});
  EXPECT_EQ(HintPatch(5, 2, 1), std::nullopt);  // the data counts more patches than there are
}

TEST(PuzzleRules, SnapWithin20Pixels) {
  EXPECT_TRUE(PuzzlePieceSnaps(120, 50, 100, 50));
  EXPECT_FALSE(PuzzlePieceSnaps(121, 50, 100, 50));
  EXPECT_TRUE(PuzzlePieceSnaps(112, 66, 100, 50));  // 12² + 16² = 20²
}

TEST(SatchelGrid, ShapesFitAndTargets) {
  EXPECT_EQ(SatchelShape("\\row=2\\row=1"), (std::vector<SatchelCell>{{0, 0}, {0, 1}, {1, 0}}));
  EXPECT_EQ(SatchelShape("\\col=2\\col=1"), (std::vector<SatchelCell>{{0, 0}, {1, 0}, {0, 1}}));

  // 2 × 3 cells of 50 × 40 from (100, 100).
  SatchelGrid grid(2, 3, 50, 40, 100, 100);
  const auto pair = SatchelShape("\\row=2");
  EXPECT_FALSE(grid.Fits(pair, {0, 2}));                            // its second cell would lie outside
  EXPECT_EQ(grid.TargetCell(pair, 180, 100), (SatchelCell{0, 1}));  // (0, 2) is nearer but does not fit
  EXPECT_EQ(grid.TargetCell(pair, 150, 149), (SatchelCell{1, 1}));  // 49 px below cell (0, 1)
  EXPECT_EQ(grid.TargetCell(pair, 150, 191), std::nullopt);         // 51 px from cell (1, 1)

  // Never farther than cell (0, 0): with it occupied 30 px away, a cell 40 px away is not taken.
  SatchelGrid near(1, 3, 70, 40, 0, 0);
  const auto one = SatchelShape("\\row=1");
  near.Occupy(one, {0, 0});
  EXPECT_EQ(near.TargetCell(one, 30, 0), std::nullopt);  // cell 1 lies 40 px away
  EXPECT_EQ(near.TargetCell(one, 130, 0), (SatchelCell{0, 2}));

  grid.Occupy(SatchelShape("\\row=3\\row=3"), {0, 0});
  EXPECT_TRUE(grid.IsFull());
  grid.Free(pair, {1, 0});  // picking a piece up frees its cells at once
  EXPECT_FALSE(grid.IsFull());
  EXPECT_TRUE(grid.Fits(pair, {1, 0}));
  grid.FreeAll();
  EXPECT_FALSE(grid.IsOccupied({0, 0}));
  EXPECT_FALSE(SatchelPieceCanBePickedUp("moving"));
  EXPECT_TRUE(SatchelPieceCanBePickedUp("placed"));
}

TEST(RoomDrawing, BoughtItemsAndTrophies) {
  const ProfileValues profile{{"item_exists_lamp", "yes"}, {"trophy_3_shops", "yes"}};
  EXPECT_TRUE(RoomItemIsDrawn("money", "lamp", "", profile));
  EXPECT_FALSE(RoomItemIsDrawn("money", "sofa", "", profile));
  EXPECT_TRUE(RoomItemIsDrawn("logic", "cup3", "trophy_3_shops", profile));
  EXPECT_FALSE(RoomItemIsDrawn("logic", "cup6", "trophy_6_shops", profile));
}

}  // namespace
}  // namespace kestrelle
