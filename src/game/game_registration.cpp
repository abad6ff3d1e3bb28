#include "game/game_registration.h"

#include "data/class_registry.h"
#include "game/map/main_menu_screen.h"

namespace kestrelle {

void RegisterGameClasses() { RegisterObjectClass<TKestrelleGameScreenMain>("KestrelleGameScreenMain"); }

}  // namespace kestrelle
