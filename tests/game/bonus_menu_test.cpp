// The bonus menu over the demo data, end to end: a player who has passed the levels up to 28 opens
// it from the main menu, finds the minigames of those levels offered and the later ones not, and
// replays Square from it back to the menu (tests/game/data/bonus_menu_replay.script). A replay
// books nothing: the player's level and money stay as they were.

#include <gtest/gtest.h>

#include "demo_run.h"

namespace kestrelle {
namespace {

using BonusMenu = testing::DemoRun;

TEST_F(BonusMenu, OffersThePassedLevelsMinigamesAndReplaysOne) {
  WritePlayers(R"(<userprofiles current_user_profile_name="Ann"><userprofile name="Ann"><params>)"
               R"(<param name="current_level" value="29"/><param name="total_money" value="500"/>)"
               R"(<param name="show_history" value="yes"/></params></userprofile></userprofiles>)");
  ASSERT_EQ(Play("bonus_menu_replay.script", 5), 0) << Log();
  EXPECT_EQ(Log().find("expect"), std::string::npos) << Log();
  EXPECT_EQ(PlayerValue("current_level"), "29");
  EXPECT_EQ(PlayerValue("total_money"), "500");
}

}  // namespace
}  // namespace kestrelle
