#pragma once
// The data check that every level reference of the main menu's level list names a level file
// that loads as a level definition (for `kestrelle-data check`).

namespace kestrelle {

// Adds the check "level files" to the game's data checks.
void AddLevelFileCheck();

}  // namespace kestrelle
