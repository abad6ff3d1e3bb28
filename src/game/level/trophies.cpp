#include "game/level/trophies.h"

namespace kestrelle {

bool BookExpertLevel(const ExpertKind& kind, int64_t level, int64_t threshold, PendingProfile& profile) {
  const std::string levelFlag = kind.levelFlagPrefix + std::to_string(level);
  if (profile.Values().IsYes(levelFlag)) return false;
  const int64_t count = profile.Values().Integer(kind.countKey) + 1;
  profile.Write(kind.countKey, std::to_string(count));
  profile.Write(levelFlag, "yes");
  if (count < threshold || profile.Values().Text(kind.trophyKey, "no") != "no") return false;
  profile.Write(kind.trophyKey, "yes");
  return true;
}

bool BookClientsServedTrophy(int64_t clientsServedInLevel, int64_t threshold, PendingProfile& profile) {
  if (profile.Values().Integer("clients_served") + clientsServedInLevel < threshold) return false;
  if (profile.Values().IsYes("trophy_clients")) return false;
  profile.Write("trophy_clients", "yes");
  return true;
}

ShopTrophy BookShopTrophy(const TrophyThresholds& thresholds, PendingProfile& profile) {
  const int64_t shops = profile.Values().Integer("shops_completed") + 1;
  if (shops == thresholds.shopsServedHalf) {
    profile.Write("trophy_3_shops", "yes");
    return ShopTrophy::kHalf;
  }
  if (shops == thresholds.shopsServedAll) {
    profile.Write("trophy_6_shops", "yes");
    return ShopTrophy::kAll;
  }
  return ShopTrophy::kNone;
}

}  // namespace kestrelle
