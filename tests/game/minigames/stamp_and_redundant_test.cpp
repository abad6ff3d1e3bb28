#include <gtest/gtest.h>

#include "game/minigames/redundant/redundant_round.h"
#include "game/minigames/stamp/stamp_rules.h"
#include "support/widget_harness.h"

namespace kestrelle {
namespace {

TEST(StampRules, LinksNormalized) {
  EXPECT_EQ(NormalizeLinks("a,,b,a,c"), "a,b,c,");
  EXPECT_EQ(NormalizeLinks(""), "");
  EXPECT_EQ(NormalizeLinks("ab,a,"), "ab,a,");  // whole names, not parts of longer ones
}

TEST(StampRules, JoinDistance) {
  // Q lies 100 px right of its picture place; P belongs at (150, 100) relative to it.
  const StampPiece q{"q", 150, 50, 50, 50};
  struct Case {
    double dx, dy;
    bool joins;
  };
  const Case cases[] = {{0, 0, true}, {6, 7, true}, {6, 8, false}, {-9.9, 0, true}, {0, 10, false}};
  for (const Case& c : cases) {
    const StampPiece p{"p", 150 + c.dx, 100 + c.dy, 50, 100};
    const auto target = StampJoinTarget(p, q);
    EXPECT_EQ(target.has_value(), c.joins) << c.dx << "," << c.dy;
    if (target) {
      // The neighbour, not the carried piece, moves: it ends exactly relative to P.
      EXPECT_DOUBLE_EQ(target->first, 150 + c.dx);
      EXPECT_DOUBLE_EQ(target->second, 50 + c.dy);
    }
  }
  // Only relative positions matter: the pair far away joins as well.
  EXPECT_TRUE(StampJoinTarget({"p", 900, 650, 50, 100}, {"q", 900, 600, 50, 50}).has_value());
}

TEST(StampRules, GroupsMergeIntoOne) {
  std::map<std::string, std::string> links{{"a", "a,"}, {"b", "b,"}, {"c", "c,"}, {"d", "d,"}};
  MergeStampLinks(links, "a", "b");
  EXPECT_EQ(NormalizeLinks(links["b"]), "b,a,");
  EXPECT_FALSE(IsStampSolved(links));
  MergeStampLinks(links, "c", "b");  // the chain a-b, then b-c
  MergeStampLinks(links, "d", "a");
  for (const auto& [name, value] : links) EXPECT_EQ(LinkNames(value).size(), 4u) << name;
  EXPECT_TRUE(IsStampSolved(links));
}

TEST(RedundantRound, OddPictureFirstThenCountingOrder) {
  RedundantRound round;
  round.places = 5;
  round.normalResource = "img_apple";
  round.redundantResource = "img_pear";
  round.angleRange = 10;
  for (int i = 1; i <= 5; ++i) round.placesByName[std::to_string(i)] = {i * 100.0, 50.0};
  testing::ScriptedRandom random({2, 4, 1, 0, 0, 1, 0, 2, 1, 3, 0});
  const auto elements = GenerateRedundantRound(round);
  ASSERT_EQ(elements.size(), 5u);
  const char* order[] = {"3", "1", "2", "4", "5"};
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(elements[i].name, order[i]);
  EXPECT_EQ(elements[0].type, "red");
  EXPECT_EQ(elements[0].resourceName, "img_pear");
  EXPECT_EQ(elements[0].angle, -4);
  EXPECT_EQ(elements[0].left, 300);
  EXPECT_EQ(elements[1].type, "normal");
  EXPECT_EQ(elements[1].angle, 0);
  EXPECT_EQ(elements[3].angle, -2);
  EXPECT_EQ(elements[4].angle, 3);
}

}  // namespace
}  // namespace kestrelle
