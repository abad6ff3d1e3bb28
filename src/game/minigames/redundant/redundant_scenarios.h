#pragma once
// The scenarios of Redundant, both the shape of Find Pairs' wrong pair: "../frame_black" darkens
// under a text from "text_visualization" and clears again, then the scenario reports its name.
//   "scenario_redundant_end_round"     the text "%next_round%"
//   "scenario_redundant_failed_round"  the text "%round_failed%"

#include "game/minigames/find_pairs/find_pairs_scenarios.h"

namespace kestrelle {

class TScenarioRedundantEndRound : public TFindPairsScenario {
 public:
  void Initialize() override;
};

class TScenarioRedundantFailedRound : public TFindPairsScenario {
 public:
  void Initialize() override;
};

}  // namespace kestrelle
