#pragma once
// When a client may walk up to the shop: a station is free once it is empty and its closing
// delay has run out, and no client comes once those at stations plus those served reach the goal.
// A new client is a VIP by a percent draw and pays "money_0" .. "money_3" by its hearts.

#include <cstdint>
#include <string>

namespace kestrelle {

// Stations open 2 s apart at the start and close for 2 s after a client or bonus goes.
inline constexpr int64_t kStationClosingMs = 2000;
inline constexpr int64_t StationOpeningTime(int64_t stationIndex) { return -kStationClosingMs * stationIndex; }

inline bool IsStationFree(const std::string& stationState, int64_t currentTimeMs) {
  return stationState == "empty" && currentTimeMs > 0;
}

inline bool IsClientGoalReached(int64_t clientsAtStations, int64_t clientsServed, int64_t clientGoal) {
  return clientsAtStations + clientsServed >= clientGoal;
}

// A uniform draw below 100 smaller than "generation_probability".
bool DrawVip(int64_t generationProbability);

// The level reference's name as a number; 1 when it is not one.
int64_t LevelNumberFromName(const std::string& name);

}  // namespace kestrelle
