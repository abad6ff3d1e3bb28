#include "app/app_registration.h"

#include "app/engine.h"
#include "app/engine_control.h"
#include "data/class_registry.h"

namespace kestrelle {

void RegisterAppClasses() { RegisterObjectClass<TEngine>(kEngineClassName); }

}  // namespace kestrelle
