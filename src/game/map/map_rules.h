#pragma once
// The town map's decisions, free of widgets: the look of a calendar day and of a shop icon, what
// happens when the map comes up, and what the play button does.

#include <cstdint>
#include <optional>
#include <string>

#include "game/level/profile_values.h"
#include "game/map/level_booking.h"

namespace kestrelle {

// A "current_level" this high means every level has been played.
inline constexpr int64_t kGameFinishedLevel = kLastGameLevel + 1;

// "completed" before the current level, "current" at it, "locked" after it.
std::string CalendarDayState(int64_t level, int64_t currentLevel);

// The icon of the shown shop is "current"; another shop is "locked" while the current level is
// below its first level (or it has no range), else "completed".
std::string ShopIconState(const std::string& iconShop, const std::string& shownShop, int64_t currentLevel,
                          std::optional<int64_t> iconShopFirstLevel);

enum class MapShownStep {
  kNothing,
  kPauseForDialogue,  // "map_pause" restarts; the dialogue follows when it ends
  kCompleteTasks,     // every level is played but the final task is not done
  kCalendarTutorial,  // "map_tutor" restarts
  kRoomTutorial,      // "room_tutor" restarts
};

// What the map does once it is built, from the profile and whether a dialogue is pending.
MapShownStep DecideMapShown(const ProfileValues& profile, bool dialoguePending);

enum class PlayStep {
  kGameCompleted,  // every level is played
  kStartLevel,     // the current level starts
  kShopCompleted,  // the current level is in another shop than the shown one
};

PlayStep DecidePlay(int64_t currentLevel, const std::string& shopOfCurrentLevel, const std::string& shownShop);

enum class ActionsClosedStep {
  kNothing,
  kDialogue,    // the pending dialogue of the current level
  kFinal,       // the game's end: "GS_Final", once per player ("show_final")
  kStartLevel,  // the current level starts
};

// What the map does when the actions overview closes, asked to go on playing or not.
ActionsClosedStep DecideActionsClosed(const ProfileValues& profile, bool dialoguePending, bool continuePlay);

// The score a finished game enters into the high scores: the best money of every level.
int64_t FinalScore(const ProfileValues& profile);

}  // namespace kestrelle
