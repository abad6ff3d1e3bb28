#pragma once
// Which waiting client is served next: one client at a time is "active" (its order shown); when
// it finishes its order or leaves, the waiting client nearest to its station takes over.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kestrelle {

// A station as the rule sees it: its client's "state", empty when the station holds no client.
struct StationClientState {
  bool hasClient = false;
  std::string clientState;  // "idle", "active", "money" or empty
};

bool AnyClientActive(const std::vector<StationClientState>& stations);

// The station whose client to activate after station `from` is done: none while a client is
// active; else the first waiting ("idle") client at `from` + 1, `from` - 1, then from the first
// station on.
std::optional<size_t> NextClientToActivate(const std::vector<StationClientState>& stations, size_t from);

}  // namespace kestrelle
