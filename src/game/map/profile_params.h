#pragma once
// The bridge between parameter collections (the current player's profile, a screen's result) and
// the text snapshots the map's rules read and write.

#include "app/game_screen_interface.h"
#include "data/params.h"
#include "game/level/profile_access.h"  // SaveProfiles
#include "game/level/profile_values.h"

namespace kestrelle {

// Every parameter as text; an empty snapshot without a collection.
ProfileValues SnapshotParams(const ParamsRef& params);
// The writes in order, as text values.
void WriteParams(const ProfileWrites& writes, const ParamsRef& params);
// The parameters of the current player's profile; none without a game or a current player.
ParamsRef CurrentProfileParams(const GameScreenOwnerRef& owner);

}  // namespace kestrelle
