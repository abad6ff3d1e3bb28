#pragma once

namespace kestrelle {

// Registers the shop game's own classes (screens and controls) by their names in the data.
void RegisterGameClasses();

}  // namespace kestrelle
