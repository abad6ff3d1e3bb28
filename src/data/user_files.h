#pragma once
// The program and user-data folders and the text files kept in them.

#include <string>

namespace kestrelle {

// Folder of the executable, with a trailing separator.
std::string GetAppPath();
// Overrides the executable's folder (the headless runner's --app-dir, tests).
void SetAppPath(const std::string& folder);

// The per-user data folder, with a trailing separator, created if needed:
// $KESTRELLE_USER_DIR when set, else $XDG_DATA_HOME (default ~/.local/share) + "Halvenor/Kestrelle/".
// When the maker or product level cannot be created, the base folder itself; when even that
// fails, the program folder. Computed afresh on every call.
std::string GetUserDataPath();

// Text of a file in the user-data folder; "" when missing or unreadable.
std::string LoadUserTextFile(const std::string& fileName);
// Writes the text as CR LF lines (a final CR LF added) atomically; true when written.
bool SaveUserTextFile(const std::string& text, const std::string& fileName);
bool SaveAppTextFile(const std::string& text, const std::string& fileName);
// The CR LF line form written by the two savers.
std::string ToCrLfLines(const std::string& text);

}  // namespace kestrelle
