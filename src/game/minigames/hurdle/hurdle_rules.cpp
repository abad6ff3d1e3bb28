#include "game/minigames/hurdle/hurdle_rules.h"

namespace kestrelle {

bool IsHurdleSolved(const std::vector<std::pair<std::string, std::string>>& pictures,
                    const std::map<std::string, std::string>& goals) {
  for (const auto& [picture, place] : pictures) {
    const auto goal = goals.find(place);
    if (goal == goals.end() || goal->second != picture) return false;
  }
  return true;
}

}  // namespace kestrelle
