#include "app/app_registration.h"

#include "app/engine.h"
#include "app/engine_control.h"
#include "app/game.h"
#include "app/resources.h"
#include "data/class_registry.h"

namespace kestrelle {

void RegisterAppClasses() {
  RegisterObjectClass<TEngine>(kEngineClassName);
  RegisterObjectClass<TGame>("Game");
  RegisterResourceClasses();
}

}  // namespace kestrelle
