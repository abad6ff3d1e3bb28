#pragma once
// The results of a finished level: the money, the expert bonuses, the trophies and the profile
// values they write. Computing twice from the profile with the first run's writes applied gives
// the same money and bonuses and counts nothing again.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "game/level/level_counters.h"
#include "game/level/patience.h"
#include "game/level/profile_values.h"
#include "game/level/trophies.h"

namespace kestrelle {

struct LevelOutcome {
  int64_t level = 0;
  bool replay = false;
  LevelCounters counters;
  std::vector<ClientHistory> clients;
  // Level parameters.
  std::string minigame;             // "Minigame"
  int64_t expertPatienceBonus = 0;  // "expert_patience_bonus"
  int64_t expertTimeBonus = 0;      // "expert_time_bonus"
  std::string levelTips;            // "level_tips"
  bool isShopLastLevel = false;     // the level is its shop's "last_level"
};

struct LevelResults {
  // Result names and values in the order they are made ("Level", "Replay", ... "show_award_screen").
  std::vector<std::pair<std::string, std::string>> values;
  ProfileWrites profileWrites;
  // Empty text for a name the results do not hold.
  std::string Value(const std::string& name) const;
};

LevelResults ComputeResults(const LevelOutcome& outcome, const ProfileValues& profile,
                            const TrophyThresholds& thresholds);

}  // namespace kestrelle
