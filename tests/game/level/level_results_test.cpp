#include "game/level/level_results.h"

#include <gtest/gtest.h>

namespace kestrelle {
namespace {

const TrophyThresholds kThresholds{2, 2, 100, 3, 6};

LevelOutcome FinishedLevel(bool replay, bool allHappy, bool inTime) {
  LevelOutcome outcome;
  outcome.level = 7;
  outcome.replay = replay;
  outcome.minigame = "puzzle_1";
  outcome.expertPatienceBonus = 50;
  outcome.expertTimeBonus = 30;
  outcome.levelTips = "tip";
  outcome.isShopLastLevel = true;
  outcome.counters.Set(kClientsServed, 4);
  outcome.counters.Set(kClientGoal, 4);
  outcome.counters.Set(kMoneyEarned, 200);
  outcome.counters.Set(kExpertTimeLeftMs, inTime ? 1 : 0);
  outcome.clients = {{"old", true, 3}, {"kid", true, 3}, {"kid", true, 3}, {"old", true, allHappy ? 3 : 2}};
  return outcome;
}

TEST(LevelResults, MoneyBonusesAndTrophies) {
  const ProfileValues veteran{{"expert_patience_levels_cnt", "1"},
                              {"expert_time_levels_cnt", "1"},
                              {"clients_served", "96"},
                              {"shops_completed", "2"}};
  struct Case {
    const char* name;
    LevelOutcome outcome;
    std::vector<std::pair<std::string, std::string>> expected;  // a sample of the results
  };
  const Case cases[] = {
      {"first play, everything won",
       FinishedLevel(false, true, true),
       {{"level_completed", "yes"},
        {"expert_patience_bonus", "50"},
        {"expert_time_bonus", "30"},
        {"total_money_earned", "280"},
        {"TrophyExpertPatience", "yes"},
        {"TrophyExpertTime", "yes"},
        {"TrophyClientsServed", "yes"},
        {"TrophyShopsServedHalf", "yes"},
        {"show_award_screen", "yes"},
        {"Minigame", "puzzle_1"},
        {"level_tips", "tip"}}},
      {"one unhappy client, out of time",
       FinishedLevel(false, false, false),
       {{"expert_patience", "no"},
        {"expert_patience_bonus", "0"},
        {"expert_time", "no"},
        {"total_money_earned", "200"},
        {"TrophyExpertPatience", ""}}},
      // A replay books the expert levels but never the clients or shop trophies.
      {"replay",
       FinishedLevel(true, true, true),
       {{"Replay", "yes"},
        {"TrophyExpertTime", "yes"},
        {"TrophyClientsServed", ""},
        {"TrophyShopsServedHalf", ""},
        {"total_money_earned", "280"}}},
  };
  for (const Case& c : cases) {
    const LevelResults results = ComputeResults(c.outcome, veteran, kThresholds);
    for (const auto& [name, value] : c.expected) EXPECT_EQ(results.Value(name), value) << c.name << ": " << name;
  }
}

TEST(LevelResults, AnUnservedClientSpoilsExpertPatience) {
  LevelOutcome outcome = FinishedLevel(false, true, true);
  outcome.clients.push_back({"old", false, 0});
  EXPECT_EQ(ComputeResults(outcome, {}, kThresholds).Value("expert_patience"), "no");
}

TEST(LevelResults, ComputingTwiceCountsNothingTwice) {
  ProfileValues profile{{"expert_patience_levels_cnt", "1"}, {"clients_served", "96"}, {"shops_completed", "2"}};
  const LevelOutcome outcome = FinishedLevel(false, true, true);
  const LevelResults first = ComputeResults(outcome, profile, kThresholds);
  EXPECT_EQ(first.profileWrites, (ProfileWrites{{"expert_patience_levels_cnt", "2"},
                                                {"level_expert_patience_7", "yes"},
                                                {"trophy_levels_all_happy", "yes"},
                                                {"expert_time_levels_cnt", "1"},
                                                {"level_expert_time_7", "yes"},
                                                {"trophy_clients", "yes"},
                                                {"trophy_3_shops", "yes"}}));
  ApplyProfileWrites(first.profileWrites, profile);

  const LevelResults second = ComputeResults(outcome, profile, kThresholds);
  for (const char* name : {"money_earned", "expert_patience_bonus", "expert_time_bonus", "total_money_earned"}) {
    EXPECT_EQ(second.Value(name), first.Value(name)) << name;
  }
  EXPECT_EQ(second.Value("TrophyExpertPatience"), "");
  EXPECT_EQ(second.Value("TrophyClientsServed"), "");
  ApplyProfileWrites(second.profileWrites, profile);
  EXPECT_EQ(profile.Text("expert_patience_levels_cnt"), "2");
  EXPECT_EQ(profile.Text("expert_time_levels_cnt"), "1");
  // The shop trophy is booked from "shops_completed", which the town map raises afterwards; the
  // second look writes the same "yes" again and counts nothing.
  EXPECT_EQ(profile.Text("trophy_3_shops"), "yes");
}

TEST(Trophies, ThresholdsAndFlagsAlreadyWon) {
  {
    PendingProfile profile({{"expert_time_levels_cnt", "4"}, {"trophy_levels_expert_time", "yes"}});
    EXPECT_FALSE(BookExpertLevel(kExpertTime, 3, 2, profile));  // already won
    EXPECT_EQ(profile.Values().Text("expert_time_levels_cnt"), "5");
  }
  {
    PendingProfile profile({});
    EXPECT_FALSE(BookExpertLevel(kExpertPatience, 3, 2, profile));  // below the threshold
    EXPECT_FALSE(BookClientsServedTrophy(99, 100, profile));
    EXPECT_TRUE(BookClientsServedTrophy(100, 100, profile));
    EXPECT_FALSE(BookClientsServedTrophy(100, 100, profile));
  }
  struct Case {
    const char* shopsCompleted;
    ShopTrophy trophy;
  };
  for (const Case& c : {Case{"2", ShopTrophy::kHalf}, Case{"5", ShopTrophy::kAll}, Case{"3", ShopTrophy::kNone}}) {
    PendingProfile profile({{"shops_completed", c.shopsCompleted}});
    EXPECT_EQ(BookShopTrophy(kThresholds, profile), c.trophy) << c.shopsCompleted;
  }
}

}  // namespace
}  // namespace kestrelle
