#pragma once
// The medals a level's results earn: one widget factory per trophy won, in a fixed order.

#include <string>
#include <vector>

#include "game/level/profile_values.h"

namespace kestrelle {

// The factories of the trophies whose result key is "yes" (a missing key counts as "no").
std::vector<std::string> WonAwardFactories(const ProfileValues& results);

}  // namespace kestrelle
