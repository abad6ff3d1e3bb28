#pragma once
// Booking a finished level's results into the player's profile: a first play moves the game on
// (next level, money, served clients, a finished shop); a replay only raises the level's best
// money and the owned money by the improvement. The map control asks, writes the answer back,
// saves the player file and does what `next` says.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "game/level/profile_values.h"

namespace kestrelle {

// The game's levels are numbered 1 to 48; a "current_level" past the last one means the game is
// finished.
inline constexpr int64_t kLastGameLevel = 48;

struct LevelShop {
  std::string name;
  int64_t firstLevel = 0;
  int64_t lastLevel = 0;
};

// What the booking needs to know of the world beyond the profile.
struct BookingWorld {
  // The shop whose range holds the level (the default shop when none does).
  std::function<LevelShop(int64_t level)> shopOfLevel;
  // Whether an action has become available with this profile.
  std::function<bool(const ProfileValues& profile)> newActionAvailable;
  // The dialogue of that level not yet shown to this profile; empty when there is none.
  std::function<std::string(int64_t level, const ProfileValues& profile)> pendingDialogue;
};

enum class BookingNext {
  kNothing,        // the level was not completed: only the save
  kLastShopLevel,  // the shop is finished: "GS_LastShopLevel" with "finished_shop"
  kNewAction,      // "GS_Actions" with "show_new_action" = "yes"
  kDialogue,       // the pending dialogue of the new current level
  kStartLevel,     // the new current level starts at once
  kCompleteTasks,  // the last level is done: "GS_CompleteTasks"
  kReplayResults,  // "GS_Replay" with the results
};

struct LevelBooking {
  ProfileWrites profileWrites;
  // Values added to the results (a replay's old, new and added money, its tips).
  std::vector<std::pair<std::string, std::string>> resultAdditions;
  BookingNext next = BookingNext::kNothing;
  // The shop whose map is built afterwards; empty: the map stays as it is.
  std::string shownShop;
  std::string finishedShop;  // kLastShopLevel
  std::string dialogue;      // kDialogue
};

// `results` holds the level results by name ("level_completed", "Level", "Replay",
// "total_money_earned", "minigame_bonus", "clients_served", "expert_time", "expert_patience",
// "TrophyClientsServed").
LevelBooking BookLevelResults(const ProfileValues& results, const ProfileValues& profile, const BookingWorld& world);

}  // namespace kestrelle
