#include "game/map/level_booking.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrelle {
namespace {

// Two shops of eight levels; level 3 has a dialogue; an action opens once the player owns 500.
BookingWorld TwoShops() {
  BookingWorld world;
  world.shopOfLevel = [](int64_t level) {
    return level <= 8 ? LevelShop{"ShopGarden", 1, 8} : LevelShop{"ShopBakery", 9, 16};
  };
  world.newActionAvailable = [](const ProfileValues& profile) { return profile.Integer("total_money") >= 500; };
  world.pendingDialogue = [](int64_t level, const ProfileValues& profile) {
    return level == 3 && !profile.IsYes("show_dialog_d3") ? std::string("d3") : std::string();
  };
  return world;
}

ProfileValues Results(int64_t level, bool replay, int64_t money) {
  return {{"level_completed", "yes"},
          {"Level", std::to_string(level)},
          {"Replay", replay ? "yes" : "no"},
          {"total_money_earned", std::to_string(money)},
          {"minigame_bonus", "20"},
          {"clients_served", "6"},
          {"expert_time", "yes"},
          {"expert_patience", "no"}};
}

ProfileValues Booked(const ProfileValues& profile, const LevelBooking& booking) {
  ProfileValues after = profile;
  ApplyProfileWrites(booking.profileWrites, after);
  return after;
}

std::string Added(const LevelBooking& booking, const std::string& name) {
  for (const auto& [key, value] : booking.resultAdditions)
    if (key == name) return value;
  return "-";
}

TEST(LevelBooking, Cases) {
  const ProfileValues midGame{{"current_level", "5"},
                              {"total_money", "100"},
                              {"clients_served", "30"},
                              {"level_total_money_4", "90"},
                              {"shops_completed", "0"}};
  struct Case {
    const char* name;
    ProfileValues results;
    ProfileValues profile;
    BookingNext next;
    std::string shownShop;
    // Profile values after the booking ("" = missing).
    std::vector<std::pair<std::string, std::string>> expected;
  };
  const Case cases[] = {
      {"first play moves on and pays the minigame bonus too",
       Results(5, false, 120),
       midGame,
       BookingNext::kStartLevel,
       "ShopGarden",
       {{"current_level", "6"},
        {"total_money", "240"},
        {"clients_served", "36"},
        {"level_total_money_5", "120"},
        {"level_expert_time_5", "yes"},
        {"level_expert_patience_5", "no"}}},
      {"first play before a dialogue level shows the dialogue",
       Results(2, false, 50),
       {{"current_level", "2"}},
       BookingNext::kDialogue,
       "ShopGarden",
       {{"current_level", "3"}}},
      {"first play that makes an action available",
       Results(5, false, 400),
       midGame,
       BookingNext::kNewAction,
       "ShopGarden",
       {{"total_money", "520"}}},
      {"last level of a shop finishes the shop, the map stays on it",
       Results(8, false, 60),
       {{"current_level", "8"}, {"shops_completed", "2"}},
       BookingNext::kLastShopLevel,
       "ShopGarden",
       {{"current_level", "9"}, {"shop_completed_ShopGarden", "yes"}, {"shops_completed", "3"}}},
      {"replay better raises the best and the owned money by the difference",
       Results(4, true, 150),
       midGame,
       BookingNext::kReplayResults,
       "ShopGarden",
       {{"current_level", "5"}, {"level_total_money_4", "150"}, {"total_money", "160"}, {"clients_served", "30"}}},
      {"replay worse changes nothing",
       Results(4, true, 40),
       midGame,
       BookingNext::kReplayResults,
       "ShopGarden",
       {{"level_total_money_4", "90"}, {"total_money", "100"}, {"level_expert_time_4", ""}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const LevelBooking booking = BookLevelResults(c.results, c.profile, TwoShops());
    EXPECT_EQ(booking.next, c.next);
    EXPECT_EQ(booking.shownShop, c.shownShop);
    const ProfileValues after = Booked(c.profile, booking);
    for (const auto& [key, value] : c.expected) EXPECT_EQ(after.Text(key), value) << key;
  }
}

TEST(LevelBooking, ReplayReportsTheMoneyInItsResults) {
  const ProfileValues profile{{"level_total_money_4", "90"}, {"total_money", "480"}};
  const LevelBooking better = BookLevelResults(Results(4, true, 150), profile, TwoShops());
  EXPECT_EQ(Added(better, "level_money_old"), "90");
  EXPECT_EQ(Added(better, "level_money_new"), "150");
  EXPECT_EQ(Added(better, "level_money_add"), "60");
  EXPECT_EQ(Added(better, "level_tips"), "%new_action%");  // 540 owned now
  const LevelBooking worse = BookLevelResults(Results(4, true, 40), profile, TwoShops());
  EXPECT_EQ(Added(worse, "level_money_add"), "-");
  EXPECT_EQ(Added(worse, "level_tips"), "-");
}

TEST(LevelBooking, TheLastLevelsAndAnUncompletedLevel) {
  // Past level 48 no level starts: when 48 is not its shop's last day, the tasks screen follows.
  BookingWorld world = TwoShops();
  world.shopOfLevel = [](int64_t) { return LevelShop{"ShopFashion", 41, 49}; };
  const LevelBooking last = BookLevelResults(Results(48, false, 10), {{"current_level", "48"}}, world);
  EXPECT_EQ(last.next, BookingNext::kCompleteTasks);

  ProfileValues left = Results(5, false, 300);
  left.Set("level_completed", "no");
  const LevelBooking none = BookLevelResults(left, {{"current_level", "5"}}, TwoShops());
  EXPECT_EQ(none.next, BookingNext::kNothing);
  EXPECT_TRUE(none.profileWrites.empty());

  ProfileValues trophy = Results(5, false, 10);
  trophy.Set("TrophyClientsServed", "yes");
  EXPECT_EQ(Booked({}, BookLevelResults(trophy, {}, TwoShops())).Text("trophy_clients"), "yes");
}

}  // namespace
}  // namespace kestrelle
