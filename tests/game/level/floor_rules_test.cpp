#include <gtest/gtest.h>

#include "game/level/bonus_draws.h"
#include "game/level/client_activation.h"
#include "game/level/combos.h"
#include "game/level/level_counters.h"
#include "support/widget_harness.h"

namespace kestrelle {
namespace {

using testing::ScriptedRandom;

TEST(ClientActivation, NeighboursFirstThenFromTheStart) {
  const StationClientState idle{true, "idle"};
  const StationClientState money{true, "money"};
  const StationClientState none{};
  struct Case {
    const char* name;
    std::vector<StationClientState> stations;
    size_t from;
    std::optional<size_t> next;
  };
  const Case cases[] = {
      {"right neighbour", {idle, idle, money, idle}, 2, 3},
      {"left neighbour", {idle, idle, money, none}, 2, 1},
      {"first from the start", {idle, none, money, money}, 2, 0},
      {"left of the first station does not wrap", {money, none, none, idle}, 0, 3},
      {"someone is active", {idle, {true, "active"}, money}, 2, std::nullopt},
      {"nobody waits", {money, none}, 0, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(NextClientToActivate(c.stations, c.from), c.next) << c.name;
}

TEST(Combos, ConsecutiveFindsForOneClient) {
  struct Case {
    std::vector<std::string> finds;
    std::optional<std::string> text;
    int64_t money;
    std::string labelName;
  };
  const Case cases[] = {
      {{"1"}, std::nullopt, 0, ""},
      {{"1", "1"}, "%combo2%", 3, "1_2"},
      {{"2", "1", "1", "1"}, "%combo3%", 5, "1_3"},
      {{"1", "1", "1", "1"}, "%combo3%", 5, "1_4"},
      {{"1", "1", "2"}, std::nullopt, 0, ""},  // another client in between restarts the count
  };
  for (const Case& c : cases) {
    const auto combo = ComboForLastFind(c.finds);
    ASSERT_EQ(combo.has_value(), c.text.has_value()) << c.finds.size();
    if (!combo) continue;
    EXPECT_EQ(combo->text, *c.text);
    EXPECT_EQ(combo->money, c.money);
    EXPECT_EQ(combo->labelName, c.labelName);
  }
}

TEST(Combos, LabelsStayOnScreenAndServingPaysByHearts) {
  EXPECT_EQ(PlaceRewardLabel(100, 100, 80, 20), (LabelPlace{90, 130}));
  EXPECT_EQ(PlaceRewardLabel(1000, 740, 80, 20), (LabelPlace{944, 748}));
  EXPECT_EQ(ServedMoneyKey(2), "money_2");
  EXPECT_EQ(ServedMoneyKey(-1), "money_0");
  EXPECT_EQ(BonusOnServing(3, true, 2, 5), ServedBonus::kAfterLeaving);
  EXPECT_EQ(BonusOnServing(3, true, 5, 5), ServedBonus::kAtOnce);
  EXPECT_EQ(BonusOnServing(2, true, 2, 5), ServedBonus::kNone);
  EXPECT_EQ(BonusOnServing(3, false, 2, 5), ServedBonus::kNone);
}

TEST(BonusDraws, WeightedTypesAndZeroWeights) {
  const NamedWeights weights{{"Hint_1", 0}, {"Ice_1", 2}, {"Heart_1", 1}};
  struct Case {
    int32_t draw;
    const char* type;
  };
  for (const Case& c : {Case{0, "Ice_1"}, Case{1, "Ice_1"}, Case{2, "Heart_1"}}) {
    ScriptedRandom random({c.draw});
    EXPECT_EQ(DrawBonusType(weights), c.type) << c.draw;
  }
  EXPECT_EQ(DrawBonusType({{"Hint_1", 0}}), "");
  EXPECT_EQ(FlightForCollectedBonus("Heart_3").scenario, "scenario_flying_bonus_heart");
  EXPECT_EQ(FlightForCollectedBonus("Hint_2").counter, kHintBonusesCollected);
  EXPECT_EQ(FlightForCollectedBonus("Ice_1").counter, kIceBonusesCollected);
}

TEST(ToolUse, TargetsFlightsAndEffects) {
  EXPECT_EQ(UseToolFlightName("tool1", "Ice_2", 0, 1), "tool1_Ice_2");
  EXPECT_EQ(UseToolFlightName("tool1", "Ice_2", 4, 5), "tool1_Ice_2idx4");
  // With five targets only the first flight reports: the effect applies once.
  int reports = 0;
  for (size_t target = 0; target < 5; ++target) reports += UseToolFlightReports(target) ? 1 : 0;
  EXPECT_EQ(reports, 1);

  // 12.4, 11.6 and 12.0 all round to 12: the earlier station stays chosen.
  EXPECT_EQ(LowestPatienceClient({std::nullopt, 12.4, 11.6, 12.0}), 1U);
  EXPECT_EQ(LowestPatienceClient({12.6, 11.6}), 1U);
  EXPECT_EQ(LowestPatienceClient({std::nullopt}), std::nullopt);

  EXPECT_EQ(HeartsAfterTool("Heart_1", 1), 2);
  EXPECT_EQ(HeartsAfterTool("Heart_2", 1), 3);
  EXPECT_EQ(HeartsAfterTool("Heart_3", 3), 4);  // the client caps it at 3 and refills the patience

  EXPECT_EQ(HintLineToShow("mug", {"cap", "mug", "pen"}), "mug");
  EXPECT_EQ(HintLineToShow("mug", {"cap", "pen"}), "pen");
  EXPECT_EQ(HintLineToShow("mug", {}), std::nullopt);
}

TEST(LevelCounters, OutOfRangeReadsZeroAndWritesNothing) {
  LevelCounters counters;
  counters.Add(kMoneyEarned, 5);
  counters.Set(18, 9);
  counters.Set(-1, 9);
  EXPECT_EQ(counters.Get(kMoneyEarned), 5);
  EXPECT_EQ(counters.Get(18), 0);
  EXPECT_EQ(counters.Get(-1), 0);
}

}  // namespace
}  // namespace kestrelle
