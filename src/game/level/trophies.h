#pragma once
// The trophies a level end can win, and the first-time bookkeeping of the expert levels. Every
// rule writes what it decides into a pending profile, so a second look at the same level end
// finds the flags already set and counts nothing again.

#include <cstdint>
#include <string>

#include "game/level/profile_values.h"

namespace kestrelle {

// The game settings holding the trophy thresholds.
struct TrophyThresholds {
  int64_t expertPatience = 0;   // "TrophyParamExpertPatience"
  int64_t expertTime = 0;       // "TrophyParamExpertTime"
  int64_t clientsServed = 0;    // "TrophyParamClientsServed"
  int64_t shopsServedHalf = 0;  // "TrophyParamShopsServedHalf"
  int64_t shopsServedAll = 0;   // "TrophyParamShopsServedAll"
};

// The profile keys of one kind of expert level (patience or time).
struct ExpertKind {
  const char* levelFlagPrefix;  // + level number
  const char* countKey;
  const char* trophyKey;
};
inline constexpr ExpertKind kExpertPatience{"level_expert_patience_", "expert_patience_levels_cnt",
                                            "trophy_levels_all_happy"};
inline constexpr ExpertKind kExpertTime{"level_expert_time_", "expert_time_levels_cnt", "trophy_levels_expert_time"};

// The profile as it stands plus what this level end has decided to write.
class PendingProfile {
 public:
  explicit PendingProfile(const ProfileValues& profile) : values_(profile) {}
  const ProfileValues& Values() const { return values_; }
  void Write(const std::string& key, const std::string& value) {
    writes_.push_back({key, value});
    values_.Set(key, value);
  }
  const ProfileWrites& Writes() const { return writes_; }

 private:
  ProfileValues values_;
  ProfileWrites writes_;
};

// The first expert finish of a level counts once; true when it wins the kind's trophy now.
bool BookExpertLevel(const ExpertKind& kind, int64_t level, int64_t threshold, PendingProfile& profile);

// A first play bringing the player's served clients to the threshold wins "trophy_clients" once.
bool BookClientsServedTrophy(int64_t clientsServedInLevel, int64_t threshold, PendingProfile& profile);

enum class ShopTrophy { kNone, kHalf, kAll };
// The last level of a shop on a first play: the shop that makes "shops_completed" + 1 equal to
// a threshold wins that trophy.
ShopTrophy BookShopTrophy(const TrophyThresholds& thresholds, PendingProfile& profile);

}  // namespace kestrelle
