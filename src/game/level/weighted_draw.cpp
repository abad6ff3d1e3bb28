#include "game/level/weighted_draw.h"

#include "data/random.h"

namespace kestrelle {

std::string DrawByWeight(const NamedWeights& weights) {
  int64_t sum = 0;
  for (const auto& [name, weight] : weights) sum += weight;
  int64_t draw = sum > 0 ? Random(static_cast<int32_t>(sum)) : 0;
  for (const auto& [name, weight] : weights) {
    if (draw < weight) return name;
    draw -= weight;
  }
  return std::string();
}

}  // namespace kestrelle
