#pragma once
// The current player's profile as the level's widgets and screens reach it: the game behind a
// widget's screen, a snapshot of the profile's values for the level rules, and the rules' writes
// put back into the profile.

#include "app/game_screen_interface.h"
#include "app/widget_interfaces.h"
#include "game/level/profile_values.h"

namespace kestrelle {

class IUserProfile;
using UserProfileRef = std::shared_ptr<IUserProfile>;

// The game of the screen the widget is on (through its owner chain); none when detached.
GameScreenOwnerRef GameOfWidget(IWidget& widget);
// The current profile of the game; none without a game or a current profile.
UserProfileRef CurrentProfileOf(const GameScreenOwnerRef& game);
// Every parameter of the profile as text; empty without a profile.
ProfileValues SnapshotProfile(const UserProfileRef& profile);
void WriteProfile(const UserProfileRef& profile, const ProfileWrites& writes);
// Writes every profile of the game to disk.
void SaveProfiles(const GameScreenOwnerRef& game);

}  // namespace kestrelle
