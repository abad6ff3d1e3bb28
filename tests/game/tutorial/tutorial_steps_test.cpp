// The guided level's step rules: what a press may do at each step counter, which events bring
// pages and clients, and what the scripts fix of their clients.
#include "game/tutorial/tutorial_steps.h"

#include <gtest/gtest.h>

namespace kestrelle::tutorial {
namespace {

TEST(TutorialSteps, PressRulesByStepCounter) {
  struct Row {
    int64_t counter;
    bool advancesFirst;
    bool shelvesBlocked;
  };
  const Row rows[] = {{0, true, false}, {1, true, false}, {2, true, false},  {3, false, true},
                      {4, true, false}, {5, true, false}, {6, true, false},  {7, true, true},
                      {9, true, true},  {12, true, true}, {13, true, false}, {14, true, false}};
  for (const Row& row : rows) {
    EXPECT_EQ(PressAdvancesFirst(row.counter), row.advancesFirst) << row.counter;
    EXPECT_EQ(ShelvesBlocked(row.counter), row.shelvesBlocked) << row.counter;
  }
}

TEST(TutorialSteps, EventsThatShowPagesAndBringClients) {
  // Only calling the client at station_3, and only at step 3, advances.
  EXPECT_TRUE(ActivationAdvances(3, "station_3"));
  EXPECT_FALSE(ActivationAdvances(3, "station_2"));
  EXPECT_FALSE(ActivationAdvances(4, "station_3"));

  EXPECT_TRUE(OrderCompletionShowsStep(1));
  EXPECT_FALSE(OrderCompletionShowsStep(2));
  EXPECT_TRUE(ServingBringsTwoClients(2));
  EXPECT_FALSE(ServingBringsTwoClients(5));
  // The VIP comes with the third served client at step 5, not with the second.
  EXPECT_TRUE(ServingBringsVip(5, 3));
  EXPECT_FALSE(ServingBringsVip(5, 2));
  EXPECT_FALSE(ServingBringsVip(4, 3));
}

TEST(TutorialSteps, OnlyAFullHeartedVipThatIsNotTheLastLeavesABonus) {
  struct Row {
    int64_t hearts;
    bool vip;
    int64_t served;
    ServedBonus bonus;
  };
  const Row rows[] = {{3, true, 4, ServedBonus::kAfterLeaving},
                      {3, true, 5, ServedBonus::kNone},  // the last client: not even at once
                      {2, true, 4, ServedBonus::kNone},
                      {3, false, 4, ServedBonus::kNone}};
  for (const Row& row : rows)
    EXPECT_EQ(BonusOnServingGuided(row.hearts, row.vip, row.served, 5), row.bonus)
        << row.hearts << " " << row.vip << " " << row.served;
}

TEST(TutorialSteps, WhatEachScriptFixes) {
  struct Row {
    int script;
    int lines;
    bool vip;
    bool minigame;
  };
  const Row rows[] = {{kScriptFirstClient, 3, false, false},
                      {kScriptTwoClients, 3, false, false},
                      {kScriptVip, 3, true, false},
                      {kScriptMinigame, 2, false, true}};
  for (const Row& row : rows) {
    const ScriptedOrder order = OrderOfScript(row.script);
    EXPECT_EQ(order.ordinaryLines, row.lines) << row.script;
    EXPECT_EQ(order.vip, row.vip) << row.script;
    EXPECT_EQ(order.forcesMinigameLine, row.minigame) << row.script;
  }
}

}  // namespace
}  // namespace kestrelle::tutorial
