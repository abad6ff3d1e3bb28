#pragma once
// Bonuses and tools: which tool type a VIP leaves (weighted by the level), how a collected bonus
// flies and is counted, and the targets and effects of a tool used in play.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/level/weighted_draw.h"

namespace kestrelle {

// Ice tools freeze for this long.
inline constexpr double kIceToolSeconds = 15;

// The tools panel's types with the level parameter of each name as its weight; empty text when
// every weight is 0 (the VIP leaves no bonus).
std::string DrawBonusType(const NamedWeights& typeWeights);

struct BonusFlight {
  std::string scenario;  // "scenario_flying_bonus_hint" / "_heart" / "_ice"; empty for another type
  int counter = -1;      // the level counter of that kind of collected bonus
};
BonusFlight FlightForCollectedBonus(const std::string& type);

// The name of the flight from a tool to its target number `target` of `targetCount`.
std::string UseToolFlightName(const std::string& toolName, const std::string& type, size_t target, size_t targetCount);
// Only the first target's flight reports the end of a tool's flights, so the effect applies once
// however many clients or order lines are targeted.
inline bool UseToolFlightReports(size_t target) { return target == 0; }

// Among the station clients' patience (none for a station without client): the index of the
// lowest, compared as rounded integers; the earlier station wins a tie.
std::optional<size_t> LowestPatienceClient(const std::vector<std::optional<double>>& patience);

// The hearts a Heart tool gives: "Heart_2" fills to 3, the others add 1.
int64_t HeartsAfterTool(const std::string& type, int64_t hearts);

// "Hint_1" at the end of its flight: the line remembered at the start while it is still unsolved,
// else the last unsolved line; none when every line is solved.
std::optional<std::string> HintLineToShow(const std::string& rememberedId, const std::vector<std::string>& unsolvedIds);

}  // namespace kestrelle
