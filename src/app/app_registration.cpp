#include "app/app_registration.h"

#include "app/engine.h"
#include "app/engine_control.h"
#include "app/game.h"
#include "app/game_screen.h"
#include "app/resources.h"
#include "app/settings_commands.h"
#include "app/sounds.h"
#include "app/standard_screens/standard_screens.h"
#include "data/class_registry.h"

namespace kestrelle {

void RegisterAppClasses() {
  RegisterObjectClass<TEngine>(kEngineClassName);
  RegisterObjectClass<TGame>("Game");
  RegisterResourceClasses();
  RegisterSoundClasses();
  RegisterScreenClasses();
  RegisterStandardScreenClasses();
  RegisterSettingsCommandClasses();
}

}  // namespace kestrelle
