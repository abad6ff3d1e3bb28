#include "game/level/bonus_draws.h"

#include <algorithm>

#include "data/numbers.h"
#include "game/level/level_counters.h"
#include "game/level/patience.h"

namespace kestrelle {

std::string DrawBonusType(const NamedWeights& typeWeights) { return DrawByWeight(typeWeights); }

BonusFlight FlightForCollectedBonus(const std::string& type) {
  if (type.find("Hint") != std::string::npos) return {"scenario_flying_bonus_hint", kHintBonusesCollected};
  if (type.find("Heart") != std::string::npos) return {"scenario_flying_bonus_heart", kHeartBonusesCollected};
  if (type.find("Ice") != std::string::npos) return {"scenario_flying_bonus_ice", kIceBonusesCollected};
  return {};
}

std::string UseToolFlightName(const std::string& toolName, const std::string& type, size_t target, size_t targetCount) {
  const std::string name = toolName + "_" + type;
  return targetCount <= 1 ? name : name + "idx" + std::to_string(target);
}

std::optional<size_t> LowestPatienceClient(const std::vector<std::optional<double>>& patience) {
  std::optional<size_t> lowest;
  int64_t lowestValue = 0;
  for (size_t index = 0; index < patience.size(); ++index) {
    if (!patience[index]) continue;
    const int64_t value = RoundHalfEven(*patience[index]);
    if (!lowest || value < lowestValue) {
      lowest = index;
      lowestValue = value;
    }
  }
  return lowest;
}

int64_t HeartsAfterTool(const std::string& type, int64_t hearts) { return type == "Heart_2" ? kMaxHearts : hearts + 1; }

std::optional<std::string> HintLineToShow(const std::string& rememberedId,
                                          const std::vector<std::string>& unsolvedIds) {
  if (unsolvedIds.empty()) return std::nullopt;
  if (std::find(unsolvedIds.begin(), unsolvedIds.end(), rememberedId) != unsolvedIds.end()) return rememberedId;
  return unsolvedIds.back();
}

}  // namespace kestrelle
