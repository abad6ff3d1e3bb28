#include "game/class_registration.h"

#include "app/app_registration.h"
#include "controls/controls_registration.h"
#include "data/data_registration.h"
#include "game/game_registration.h"
#include "media/surface.h"
#include "widgets/widgets_registration.h"

namespace kestrelle {

void RegisterAllClasses() {
  // Each layer adds its registration call here, in layer order, as its classes land.
  RegisterDataClasses();
  RegisterSurfaceClasses();
  RegisterAppClasses();
  RegisterWidgetsClasses();
  RegisterControlsClasses();
  RegisterGameClasses();
}

}  // namespace kestrelle
