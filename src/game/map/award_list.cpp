#include "game/map/award_list.h"

#include <utility>

namespace kestrelle {

std::vector<std::string> WonAwardFactories(const ProfileValues& results) {
  static const std::pair<const char*, const char*> kAwards[] = {
      {"TrophyExpertTime", "award_time"},        {"TrophyExpertPatience", "award_service"},
      {"TrophyClientsServed", "award_clients"},  {"TrophyShopsServedHalf", "award_3_shops"},
      {"TrophyShopsServedAll", "award_6_shops"},
  };
  std::vector<std::string> factories;
  for (const auto& [key, factory] : kAwards)
    if (results.Text(key, "no") == "yes") factories.emplace_back(factory);
  return factories;
}

}  // namespace kestrelle
