#pragma once
// The data check that every dialogue of the main menu's dialogue list can be played through: its
// persons speak through bubbles of their own that every dialogue screen has, and every line names
// a person of the dialogue and follows on to lines that exist (for `kestrelle-data check`).

namespace kestrelle {

// Adds the check "dialogues" to the game's data checks.
void AddDialogueCheck();

}  // namespace kestrelle
