#include "game/game_registration.h"

#include "data/class_registry.h"
#include "game/content/kestrelle_level_def.h"
#include "game/map/main_menu_screen.h"

namespace kestrelle {

void RegisterGameClasses() {
  RegisterObjectClass<TKestrelleGameScreenMain>("KestrelleGameScreenMain");
  // The default root "type" of level files.
  RegisterObjectClass<TKestrelleLevelDef>("KestrelleLevelDef");
}

}  // namespace kestrelle
