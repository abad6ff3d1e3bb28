#include "game/map/map_rules.h"

namespace kestrelle {

std::string CalendarDayState(int64_t level, int64_t currentLevel) {
  if (level < currentLevel) return "completed";
  return level == currentLevel ? "current" : "locked";
}

std::string ShopIconState(const std::string& iconShop, const std::string& shownShop, int64_t currentLevel,
                          std::optional<int64_t> iconShopFirstLevel) {
  if (iconShop == shownShop) return "current";
  if (!iconShopFirstLevel || currentLevel < *iconShopFirstLevel) return "locked";
  return "completed";
}

MapShownStep DecideMapShown(const ProfileValues& profile, bool dialoguePending) {
  const bool calendarTutorDue = profile.Text("show_calendar_tutor", "no") == "no";
  const bool roomTutorDue = !calendarTutorDue && profile.Text("show_room_tutor", "no") == "no";
  if (dialoguePending) return MapShownStep::kPauseForDialogue;
  if (profile.Integer("current_level", 1) >= kGameFinishedLevel && profile.Text("game_completed", "no") == "no")
    return MapShownStep::kCompleteTasks;
  if (calendarTutorDue) return MapShownStep::kCalendarTutorial;
  if (roomTutorDue) return MapShownStep::kRoomTutorial;
  return MapShownStep::kNothing;
}

PlayStep DecidePlay(int64_t currentLevel, const std::string& shopOfCurrentLevel, const std::string& shownShop) {
  if (currentLevel >= kGameFinishedLevel) return PlayStep::kGameCompleted;
  return shopOfCurrentLevel == shownShop ? PlayStep::kStartLevel : PlayStep::kShopCompleted;
}

ActionsClosedStep DecideActionsClosed(const ProfileValues& profile, bool dialoguePending, bool continuePlay) {
  if (dialoguePending) return ActionsClosedStep::kDialogue;
  const bool finished = profile.Integer("current_level", 1) >= kGameFinishedLevel;
  if (finished && profile.IsYes("game_completed") && profile.Text("show_final", "no") == "no")
    return ActionsClosedStep::kFinal;
  return continuePlay && !finished ? ActionsClosedStep::kStartLevel : ActionsClosedStep::kNothing;
}

int64_t FinalScore(const ProfileValues& profile) {
  int64_t score = 0;
  for (int64_t level = 1; level <= kLastGameLevel; ++level)
    score += profile.Integer("level_total_money_" + std::to_string(level));
  return score;
}

}  // namespace kestrelle
