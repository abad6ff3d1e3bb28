#include "game/class_registration.h"

namespace kestrelle {

void RegisterAllClasses() {
  // Each layer adds its registration call here, in layer order, as its classes land.
}

}  // namespace kestrelle
