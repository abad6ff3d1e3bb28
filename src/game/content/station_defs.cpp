#include "game/content/station_defs.h"

namespace kestrelle {

void TStationDefCollection::Initialize() {
  TDefinitionList::Initialize();
  SetElementNames("stations", "station_def");
}

}  // namespace kestrelle
