#include "game/level/order_builder.h"

#include <gtest/gtest.h>

#include "game/level/client_arrival.h"
#include "support/widget_harness.h"

namespace kestrelle {
namespace {

using testing::ScriptedRandom;

const std::vector<OrderableItem> kShop{
    {"cap", "Cap", ""}, {"mug", "Mug", ""}, {"pen", "Pen", ""}, {"vase", "Vase", "puzzle"}, {"lamp", "Lamp", ""}};

std::vector<std::string> Ids(const std::vector<OrderLine>& lines) {
  std::vector<std::string> ids;
  for (const auto& line : lines) ids.push_back(line.id);
  return ids;
}

TEST(ClientType, DrawWalksTheWeightsInOrder) {
  const ClientTypeWeights weights{{"old", 2}, {"none", 0}, {"kid", 3}};
  struct Case {
    int32_t draw;
    const char* type;
  };
  for (const Case& c : {Case{0, "old"}, Case{1, "old"}, Case{2, "kid"}, Case{4, "kid"}}) {
    ScriptedRandom random({c.draw});
    EXPECT_EQ(ChooseClientType(weights), c.type) << c.draw;
  }
  ScriptedRandom random({});
  EXPECT_EQ(ChooseClientType({{"old", 0}, {"kid", 0}}), "");
  EXPECT_EQ(random.used(), 0);  // nothing to draw from
}

TEST(OrderBuilder, LineCountAndExclusions) {
  struct Case {
    const char* name;
    std::vector<int32_t> draws;
    std::string orderedElsewhere;
    std::vector<std::string> ids;
  };
  const Case cases[] = {
      {"two lines", {0, 0, 1}, "", {"cap", "mug"}},
      {"three lines", {2, 0, 1, 2}, "", {"cap", "mug", "pen"}},
      // The minigame item and a repeat of this order's own line are drawn again.
      {"minigame and repeat redrawn", {0, 3, 0, 0, 4}, "", {"cap", "lamp"}},
      {"item another client waits for", {0, 1, 0, 2}, "mug;", {"cap", "pen"}},
  };
  for (const Case& c : cases) {
    ScriptedRandom random(c.draws);
    OrderBuilder builder;
    EXPECT_EQ(Ids(builder.BuildOrder(kShop, c.orderedElsewhere, {})), c.ids) << c.name;
    EXPECT_EQ(random.used(), static_cast<int>(c.draws.size())) << c.name;
  }
}

TEST(OrderBuilder, RecentItemsAreTextSearchedAndCappedAtTen) {
  OrderBuilder builder;
  const std::vector<OrderableItem> shop{{"ab", "", ""}, {"b", "", ""}, {"c", "", ""}};
  {
    // "b;" is found inside the recent "ab;": b counts as recent and is drawn again.
    ScriptedRandom random({0, 0, 1, 2});
    EXPECT_EQ(Ids(builder.BuildOrder(shop, "", {})), (std::vector<std::string>{"ab", "c"}));
  }
  std::vector<OrderableItem> many;
  for (int index = 0; index < 12; ++index) many.push_back({"i" + std::to_string(index) + "x", "", ""});
  for (int index = 0; index < 6; ++index) {
    ScriptedRandom random({0, 2 * index, 2 * index + 1});
    builder.BuildOrder(many, "", {});
  }
  EXPECT_EQ(builder.RecentItems(), "i2x;i3x;i4x;i5x;i6x;i7x;i8x;i9x;i10x;i11x;");
}

TEST(OrderBuilder, MinigameLineOnlyOnTwoLineOrders) {
  struct Case {
    const char* name;
    std::vector<int32_t> draws;
    MinigameLineRule rule;
    std::vector<std::string> ids;
  };
  const Case cases[] = {
      {"always", {0, 0, 1, 99}, {100, "vase;"}, {"cap", "mug", "vase"}},
      {"at the percentage", {0, 0, 1, 30}, {30, "vase;"}, {"cap", "mug", "vase"}},
      {"above the percentage", {0, 0, 1, 31}, {30, "vase;"}, {"cap", "mug"}},
      {"picked from several", {0, 0, 1, 0, 1}, {100, "pen;vase;"}, {"cap", "mug", "vase"}},
      {"unknown id", {0, 0, 1, 0}, {100, "nothing;"}, {"cap", "mug"}},
      {"no probability", {0, 0, 1}, {0, "vase;"}, {"cap", "mug"}},
      {"three lines never", {1, 0, 1, 2}, {100, "vase;"}, {"cap", "mug", "pen"}},
  };
  for (const Case& c : cases) {
    ScriptedRandom random(c.draws);
    OrderBuilder builder;
    EXPECT_EQ(Ids(builder.BuildOrder(kShop, "", c.rule)), c.ids) << c.name;
    EXPECT_EQ(random.used(), static_cast<int>(c.draws.size())) << c.name;
  }
}

TEST(OrderBuilder, ExhaustedExclusionsEndInTheFallbackNotAnEndlessDraw) {
  ScriptedRandom random({});  // every draw answers 0: "cap", which others wait for
  OrderBuilder builder;
  EXPECT_EQ(Ids(builder.BuildOrder(kShop, "cap;mug;pen;lamp;", {})), (std::vector<std::string>{"cap", "mug"}));
  // A shop of minigame items only gives no line at all.
  EXPECT_TRUE(builder.BuildOrder({{"vase", "", "puzzle"}}, "", {}).empty());
  EXPECT_TRUE(builder.BuildOrder({}, "", {}).empty());
}

TEST(OrderBuilder, OrderTextNumbersTheLines) {
  EXPECT_EQ(OrderText({{"cap", "A cap"}, {"mug", "Mug"}}),
            "\\item1id=cap\\item1desc=A cap\\item2id=mug\\item2desc=Mug");
}

TEST(ClientArrival, StationsGoalVipAndLevelNumber) {
  EXPECT_FALSE(IsStationFree("empty", 0));
  EXPECT_TRUE(IsStationFree("empty", 1));
  EXPECT_FALSE(IsStationFree("bonus", 5000));
  EXPECT_EQ(StationOpeningTime(3), -6000);
  // Goal 5 with four stations: the fifth client waits for a first one to be served.
  EXPECT_TRUE(IsClientGoalReached(4, 1, 5));
  EXPECT_FALSE(IsClientGoalReached(3, 1, 5));
  {
    ScriptedRandom random({29, 30});
    EXPECT_TRUE(DrawVip(30));
    EXPECT_FALSE(DrawVip(30));
  }
  EXPECT_EQ(LevelNumberFromName("12"), 12);
  EXPECT_EQ(LevelNumberFromName("tutorial"), 1);
}

}  // namespace
}  // namespace kestrelle
