#pragma once

namespace kestrelle {
// Registers every class of every layer, lowest layer first. Called once at start-up.
void RegisterAllClasses();
}  // namespace kestrelle
