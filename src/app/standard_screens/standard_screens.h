#pragma once
// The ready-made screens a game definition uses by registered name: query dialogs, options,
// splashes, quit, new user, user profiles.

namespace kestrelle {

void RegisterStandardScreenClasses();

}  // namespace kestrelle
