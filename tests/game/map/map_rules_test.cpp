// The town map's decisions as tables: calendar days and shop icons, what the map does when it
// comes up, the play button, the actions closing, the final score, and when a new action is
// available.

#include "game/map/map_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "data/hier_storage.h"
#include "game/content/action_defs.h"
#include "game/map/action_world.h"
#include "support/widget_harness.h"

namespace kestrelle {
namespace {

TEST(MapRules, CalendarDayAndShopIconStates) {
  EXPECT_EQ(CalendarDayState(4, 5), "completed");
  EXPECT_EQ(CalendarDayState(5, 5), "current");
  EXPECT_EQ(CalendarDayState(6, 5), "locked");
  EXPECT_EQ(CalendarDayState(48, 49), "completed") << "a finished game shows every day done";

  struct Case {
    const char* icon;
    int64_t currentLevel;
    std::optional<int64_t> firstLevel;
    const char* state;
  };
  const Case cases[] = {
      {"ShopGarden", 3, 1, "current"},    // the shown shop, whatever the progress
      {"ShopBakery", 3, 9, "locked"},     // not reached yet
      {"ShopBakery", 9, 9, "completed"},  // reached: it may be shown
      {"ShopBakery", 30, 9, "completed"},
      {"ShopNowhere", 30, std::nullopt, "locked"},  // a shop without a range is never reached
  };
  for (const Case& c : cases)
    EXPECT_EQ(ShopIconState(c.icon, "ShopGarden", c.currentLevel, c.firstLevel), c.state) << c.icon << c.currentLevel;
}

TEST(MapRules, WhatTheMapDoesWhenItComesUp) {
  struct Case {
    const char* name;
    ProfileValues profile;
    bool dialoguePending;
    MapShownStep step;
  };
  const ProfileValues toursSeen{{"show_calendar_tutor", "yes"}, {"show_room_tutor", "yes"}, {"current_level", "5"}};
  const Case cases[] = {
      {"a new player gets the calendar tour", {}, false, MapShownStep::kCalendarTutorial},
      {"the room tour follows the calendar tour", {{"show_calendar_tutor", "yes"}}, false, MapShownStep::kRoomTutorial},
      {"both tours seen", toursSeen, false, MapShownStep::kNothing},
      {"a pending dialogue wins over the tours", {}, true, MapShownStep::kPauseForDialogue},
      {"every level played, final task open",
       {{"current_level", "49"}, {"game_completed", "no"}},
       false,
       MapShownStep::kCompleteTasks},
      {"every level played and the final task done: tours only",
       {{"current_level", "49"}, {"game_completed", "yes"}, {"show_calendar_tutor", "yes"}},
       false,
       MapShownStep::kRoomTutorial},
      {"level 48 still to play",
       {{"current_level", "48"}, {"show_calendar_tutor", "yes"}, {"show_room_tutor", "yes"}},
       false,
       MapShownStep::kNothing},
  };
  for (const Case& c : cases) EXPECT_EQ(DecideMapShown(c.profile, c.dialoguePending), c.step) << c.name;
}

TEST(MapRules, PlayButton) {
  EXPECT_EQ(DecidePlay(5, "ShopGarden", "ShopGarden"), PlayStep::kStartLevel);
  EXPECT_EQ(DecidePlay(9, "ShopBakery", "ShopGarden"), PlayStep::kShopCompleted);
  EXPECT_EQ(DecidePlay(48, "ShopLast", "ShopLast"), PlayStep::kStartLevel);
  EXPECT_EQ(DecidePlay(49, "", "ShopLast"), PlayStep::kGameCompleted);
}

TEST(MapRules, TheActionsClosing) {
  struct Case {
    const char* name;
    ProfileValues profile;
    bool dialoguePending;
    bool continuePlay;
    ActionsClosedStep step;
  };
  const ProfileValues ended{{"current_level", "49"}, {"game_completed", "yes"}};
  const Case cases[] = {
      {"go on to the current level", {{"current_level", "7"}}, false, true, ActionsClosedStep::kStartLevel},
      {"only a look at the actions", {{"current_level", "7"}}, false, false, ActionsClosedStep::kNothing},
      {"a pending dialogue comes first", {{"current_level", "7"}}, true, true, ActionsClosedStep::kDialogue},
      {"no level after the last one", {{"current_level", "49"}}, false, true, ActionsClosedStep::kNothing},
      {"the final task done: the end, asked to go on or not", ended, false, true, ActionsClosedStep::kFinal},
      {"the final task done, only a look", ended, false, false, ActionsClosedStep::kFinal},
      {"the end told already",
       {{"current_level", "49"}, {"game_completed", "yes"}, {"show_final", "yes"}},
       false,
       true,
       ActionsClosedStep::kNothing},
      {"the final task done before the last level (no end yet)",
       {{"current_level", "48"}, {"game_completed", "yes"}},
       false,
       true,
       ActionsClosedStep::kStartLevel},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DecideActionsClosed(c.profile, c.dialoguePending, c.continuePlay), c.step) << c.name;
}

TEST(MapRules, TheFinalScoreIsTheBestMoneyOfEveryLevel) {
  EXPECT_EQ(FinalScore({}), 0);
  EXPECT_EQ(FinalScore({{"level_total_money_1", "120"},
                        {"level_total_money_48", "300"},
                        {"level_total_money_49", "5000"},  // no such level
                        {"level_total_money_0", "5000"},
                        {"total_money", "9999"}}),
            420);
}

// Two tracks with actions: personal_1 needs a bought vase (100) and a bought lamp (50);
// education_1 needs the earned diploma.
class NewAction : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureGameClassesRegistered();
    actions_ = Create<TActionDefCollection>();
    actions_->LoadFromStorage(LoadStorageFromString(R"(<actions>
      <action name="a1" action_id="personal_1" type="personal" requirements="1=vase\2=lamp"/>
      <action name="a2" action_id="education_1" type="education" requirements="1=diploma"/>
    </actions>)"));
    items_ = Create<TActionItemDefCollection>();
    items_->LoadFromStorage(LoadStorageFromString(R"(<action_items>
      <action_item name="vase" item_id="vase" extraparams="type=money\cost=100"/>
      <action_item name="lamp" item_id="lamp" extraparams="type=money\cost=50"/>
      <action_item name="diploma" item_id="diploma" extraparams="type=logic\paramname=trophy_clients"/>
    </action_items>)"));
  }
  bool Available(const ProfileValues& profile) {
    return BuildActionRules(actions_.get(), items_.get()).NewActionAvailable(profile);
  }

  std::shared_ptr<TActionDefCollection> actions_;
  std::shared_ptr<TActionItemDefCollection> items_;
};

TEST_F(NewAction, MoneyForTheMissingItemsOrAnEarnedItem) {
  EXPECT_FALSE(Available({{"total_money", "149"}}));
  EXPECT_TRUE(Available({{"total_money", "150"}}));
  EXPECT_TRUE(Available({{"total_money", "50"}, {"item_exists_vase", "yes"}})) << "only the lamp is still to buy";
  EXPECT_TRUE(Available({{"trophy_clients", "yes"}})) << "the education track's item is earned";
  EXPECT_FALSE(Available({{"trophy_clients", "no"}}));
  // Both tracks done: nothing is left to announce.
  EXPECT_FALSE(Available({{"total_money", "999"},
                          {"trophy_clients", "yes"},
                          {"actions_personal_level", "1"},
                          {"actions_education_level", "1"}}));
}

}  // namespace
}  // namespace kestrelle
