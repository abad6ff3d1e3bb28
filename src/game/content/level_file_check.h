#pragma once
// The data check that every level reference of the main menu's level list names a level file
// that loads as a level definition, and that the things on that level's shelves can be served:
// an item's "minigame" names an in-level challenge of the level screen, and no item reaches down
// among the stations (for `kestrelle-data check`).

namespace kestrelle {

// Adds the check "level files" to the game's data checks.
void AddLevelFileCheck();

}  // namespace kestrelle
