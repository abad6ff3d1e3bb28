#pragma once

namespace kestrelle {
// Registers the application core's classes: the engine under kEngineClassName.
void RegisterAppClasses();
}  // namespace kestrelle
