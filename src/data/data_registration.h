#pragma once
// Registers the data layer's classes by name. Called once by RegisterAllClasses at start-up.

namespace kestrelle {

void RegisterDataClasses();

}  // namespace kestrelle
