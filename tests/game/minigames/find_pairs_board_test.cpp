#include "game/minigames/find_pairs/find_pairs_board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "support/widget_harness.h"

namespace kestrelle {
namespace {

using testing::ScriptedRandom;
using Outcome = FindPairsBoard::Outcome;

FindPairsRound FourPlaces() {
  FindPairsRound round;
  round.places = 4;
  round.resourceName = "img_card_";
  round.width = 80;
  round.height = 100;
  round.angleRange = 20;
  round.placeList = {{10, 20}, {110, 20}, {210, 20}, {310, 20}};
  return round;
}

TEST(FindPairsRound, DrawOrderAndElements) {
  struct Expected {
    const char* name;
    const char* resource;
    int32_t idx;
    int32_t angle;
    double left;
  };
  struct Case {
    const char* name;
    FindPairsRound round;
    std::vector<int32_t> draws;
    std::vector<Expected> expected;
  };
  FindPairsRound specific = FourPlaces();
  specific.specificResource = true;
  specific.resourceName = "img_rose,img_tulip,img_fern";
  FindPairsRound upright = FourPlaces();
  upright.angleRange = 0;
  const Case cases[] = {
      // pairIndex 3; "1": tilt 5, sign −; "2": 7, +; the copy: k = 2, tilt 0, +; "3": 19, −.
      {"normal: the copy of picture k takes the prefix + k",
       FourPlaces(),
       {2, 5, 1, 7, 0, 1, 0, 0, 19, 1},
       {{"1", "img_card_1", 1, -5, 10},
        {"2", "img_card_2", 2, 7, 110},
        {"2_pair", "img_card_2", 2, 0, 210},
        {"3", "img_card_3", 3, -19, 310}}},
      // pairIndex 1, then r = 2: the copy shows the third name and has idx 3.
      {"specific: the copy of list[r] has idx r + 1",
       specific,
       {0, 2, 0, 3, 0, 4, 0, 6, 0, 8, 0},
       {{"1_pair", "img_fern", 3, 3, 10},
        {"1", "img_rose", 1, 4, 110},
        {"2", "img_tulip", 2, 6, 210},
        {"3", "img_fern", 3, 8, 310}}},
      // A range of 0 draws no tilt (Random(0) is 0), only the sign.
      {"angle range 0 keeps every picture upright",
       upright,
       {3, 0, 0, 0, 0, 1},
       {{"1", "img_card_1", 1, 0, 10},
        {"2", "img_card_2", 2, 0, 110},
        {"3", "img_card_3", 3, 0, 210},
        {"1_pair", "img_card_1", 1, 0, 310}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedRandom random(c.draws);
    const auto elements = GenerateFindPairsRound(c.round);
    ASSERT_EQ(elements.size(), c.expected.size());
    for (size_t i = 0; i < elements.size(); ++i) {
      EXPECT_EQ(elements[i].name, c.expected[i].name);
      EXPECT_EQ(elements[i].resourceName, c.expected[i].resource);
      EXPECT_EQ(elements[i].idx, c.expected[i].idx);
      EXPECT_EQ(elements[i].angle, c.expected[i].angle);
      EXPECT_EQ(elements[i].left, c.expected[i].left);
    }
  }
}

TEST(FindPairsRound, ShortPlaceListLeavesPicturesOff) {
  FindPairsRound round = FourPlaces();
  round.placeList.resize(2);
  ScriptedRandom random({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(GenerateFindPairsRound(round).size(), 2u);
}

TEST(FindPairsBoard, ClicksAcrossRounds) {
  FindPairsBoard board;
  board.Start(2);
  auto elements = [] { return std::vector<FindPairsElement>{{"1", "a", 1}, {"2", "b", 2}, {"1_pair", "a", 1}}; };
  board.SetElements(elements());
  EXPECT_EQ(board.Click(0), Outcome::kSelected);
  EXPECT_EQ(board.Click(0), Outcome::kDeselected);
  EXPECT_FALSE(board.ClickBeside());
  EXPECT_EQ(board.Click(1), Outcome::kSelected);
  EXPECT_TRUE(board.ClickBeside());
  EXPECT_EQ(board.Click(0), Outcome::kSelected);
  EXPECT_EQ(board.Click(1), Outcome::kWrongPair);
  EXPECT_EQ(board.Round(), 1);
  EXPECT_EQ(board.Click(2), Outcome::kSelected);  // either order finds the pair
  EXPECT_EQ(board.Click(0), Outcome::kRoundWon);
  EXPECT_EQ(board.Round(), 2);
  board.SetElements(elements());
  board.Click(0);
  EXPECT_EQ(board.Click(2), Outcome::kGameWon);
}

TEST(FindPairsBoard, ReshuffleUsesEveryPlaceOnce) {
  std::vector<FindPairsElement> elements = {{"1", "a", 1, 0, 0, 0}, {"2", "b", 2, 0, 100, 0}, {"3", "c", 3, 0, 200, 0}};
  ScriptedRandom random({2, 2, 0});  // swap 0↔2, 1↔2, 2↔0
  ReshuffleFindPairs(elements);
  EXPECT_EQ(elements[0].left, 100);
  EXPECT_EQ(elements[1].left, 0);
  EXPECT_EQ(elements[2].left, 200);
  std::set<double> lefts;
  for (const auto& element : elements) lefts.insert(element.left);
  EXPECT_EQ(lefts.size(), 3u);
}

}  // namespace
}  // namespace kestrelle
