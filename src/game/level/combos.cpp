#include "game/level/combos.h"

#include <algorithm>

#include "game/level/patience.h"

namespace kestrelle {

std::optional<ComboReward> ComboForLastFind(const std::vector<std::string>& findClientNames) {
  if (findClientNames.empty()) return std::nullopt;
  const std::string& client = findClientNames.back();
  const auto differs = std::find_if(findClientNames.rbegin(), findClientNames.rend(),
                                    [&](const std::string& name) { return name != client; });
  const int64_t count = differs - findClientNames.rbegin();
  if (count < 2) return std::nullopt;
  if (count == 2) return ComboReward{client + "_2", "%combo2%", 3};
  return ComboReward{client + "_" + std::to_string(count), "%combo3%", 5};
}

LabelPlace PlaceRewardLabel(int64_t x, int64_t y, int64_t labelWidth, int64_t labelHeight) {
  LabelPlace place{x - 10, y + 30};
  place.left = std::min(place.left, kScreenWidth - labelWidth);
  place.top = std::min(place.top, kScreenHeight - labelHeight);
  return place;
}

std::string ServedMoneyKey(int64_t hearts) {
  return "money_" + std::to_string(std::clamp<int64_t>(hearts, 0, kMaxHearts));
}

ServedBonus BonusOnServing(int64_t hearts, bool vip, int64_t clientsServed, int64_t clientGoal) {
  if (hearts != kMaxHearts || !vip) return ServedBonus::kNone;
  return clientsServed == clientGoal ? ServedBonus::kAtOnce : ServedBonus::kAfterLeaving;
}

}  // namespace kestrelle
