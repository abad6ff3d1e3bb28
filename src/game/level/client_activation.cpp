#include "game/level/client_activation.h"

#include <algorithm>

namespace kestrelle {

namespace {

bool IsWaiting(const std::vector<StationClientState>& stations, size_t index) {
  return index < stations.size() && stations[index].hasClient && stations[index].clientState == "idle";
}

}  // namespace

bool AnyClientActive(const std::vector<StationClientState>& stations) {
  return std::any_of(stations.begin(), stations.end(), [](const StationClientState& station) {
    return station.hasClient && station.clientState == "active";
  });
}

std::optional<size_t> NextClientToActivate(const std::vector<StationClientState>& stations, size_t from) {
  if (AnyClientActive(stations)) return std::nullopt;
  if (IsWaiting(stations, from + 1)) return from + 1;
  if (from > 0 && IsWaiting(stations, from - 1)) return from - 1;
  for (size_t index = 0; index < stations.size(); ++index) {
    if (IsWaiting(stations, index)) return index;
  }
  return std::nullopt;
}

}  // namespace kestrelle
