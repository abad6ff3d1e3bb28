#include "game/minigames/redundant/redundant_scenarios.h"

namespace kestrelle {

void TScenarioRedundantEndRound::Initialize() {
  TFindPairsScenario::Initialize();
  AddDarkenStates("%next_round%");
}

void TScenarioRedundantFailedRound::Initialize() {
  TFindPairsScenario::Initialize();
  AddDarkenStates("%round_failed%");
}

}  // namespace kestrelle
