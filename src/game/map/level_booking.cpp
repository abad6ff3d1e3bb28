#include "game/map/level_booking.h"

#include <string>

#include "game/level/trophies.h"

namespace kestrelle {
namespace {

void BookFirstPlay(const ProfileValues& results, int64_t level, const BookingWorld& world, PendingProfile& profile,
                   LevelBooking& booking) {
  const std::string levelText = std::to_string(level);
  profile.Write("current_level", std::to_string(level + 1));
  profile.Write("level_total_money_" + levelText, results.Text("total_money_earned", "0"));
  profile.Write("level_expert_time_" + levelText, results.Text("expert_time"));
  profile.Write("level_expert_patience_" + levelText, results.Text("expert_patience"));

  const ProfileValues& now = profile.Values();
  profile.Write("total_money", std::to_string(now.Integer("total_money") + results.Integer("total_money_earned") +
                                              results.Integer("minigame_bonus")));
  profile.Write("clients_served",
                std::to_string(profile.Values().Integer("clients_served") + results.Integer("clients_served")));
  if (results.IsYes("TrophyClientsServed")) profile.Write("trophy_clients", "yes");

  const LevelShop shop = world.shopOfLevel(level);
  if (level == shop.lastLevel) {
    profile.Write("shop_completed_" + shop.name, "yes");
    profile.Write("shops_completed", std::to_string(profile.Values().Integer("shops_completed") + 1));
    booking.shownShop = shop.name;
    booking.finishedShop = shop.name;
    booking.next = BookingNext::kLastShopLevel;
    return;
  }
  booking.shownShop = world.shopOfLevel(level + 1).name;
  if (world.newActionAvailable(profile.Values())) {
    booking.next = BookingNext::kNewAction;
  } else if (level < kLastGameLevel) {
    booking.dialogue = world.pendingDialogue(level + 1, profile.Values());
    booking.next = booking.dialogue.empty() ? BookingNext::kStartLevel : BookingNext::kDialogue;
  } else {
    booking.next = BookingNext::kCompleteTasks;
  }
}

void BookReplay(const ProfileValues& results, int64_t level, const BookingWorld& world, PendingProfile& profile,
                LevelBooking& booking) {
  const std::string bestKey = "level_total_money_" + std::to_string(level);
  const int64_t oldMoney = profile.Values().Integer(bestKey);
  const int64_t newMoney = results.Integer("total_money_earned");
  booking.resultAdditions.emplace_back("level_money_old", std::to_string(oldMoney));
  booking.resultAdditions.emplace_back("level_money_new", std::to_string(newMoney));
  if (newMoney > oldMoney) {
    profile.Write(bestKey, std::to_string(newMoney));
    profile.Write("total_money", std::to_string(profile.Values().Integer("total_money") + newMoney - oldMoney));
    booking.resultAdditions.emplace_back("level_money_add", std::to_string(newMoney - oldMoney));
  }
  if (world.newActionAvailable(profile.Values())) booking.resultAdditions.emplace_back("level_tips", "%new_action%");
  booking.shownShop = world.shopOfLevel(level).name;
  booking.next = BookingNext::kReplayResults;
}

}  // namespace

LevelBooking BookLevelResults(const ProfileValues& results, const ProfileValues& profile, const BookingWorld& world) {
  LevelBooking booking;
  if (!results.IsYes("level_completed")) return booking;
  PendingProfile pending(profile);
  const int64_t level = results.Integer("Level");
  if (results.IsYes("Replay"))
    BookReplay(results, level, world, pending, booking);
  else
    BookFirstPlay(results, level, world, pending, booking);
  booking.profileWrites = pending.Writes();
  return booking;
}

}  // namespace kestrelle
