#pragma once
// Whether the player can do a new action now: for the tracks in order, the track's next action
// is available when every earned item it needs is earned and the money owned pays for the
// bought items it still lacks.

#include "game/content/action_defs.h"
#include "game/level/profile_values.h"

namespace kestrelle {

bool IsNewActionAvailable(const ProfileValues& profile, const IActionDefCollection& actions,
                          const IActionItemDefCollection& items);

}  // namespace kestrelle
