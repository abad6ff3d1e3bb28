#pragma once
// The scenarios of Remove Items, made by the data's factories "scenario_find_diff",
// "scenario_start_level" and "scenario_end_level":
//   "scenario_remove_find_diff"    the found item bursts and fades out like a found difference;
//                                  reported as "scenario_remove_find_diff"
//   "scenario_remove_start_level"  "button_menu" and "button_skip" slide to their "init_x" and
//                                  "panel" to the top over "duration"
//   "scenario_remove_end_level"    the buttons and the panel slide out over "duration", then it
//                                  waits "pause_duration" and "final_duration"

#include "game/minigames/diffs/diffs_scenarios.h"

namespace kestrelle {

class TScenarioRemoveFindDiff : public TScenarioDiffsFindDiff {
 protected:
  const char* ReportName() const override { return "scenario_remove_find_diff"; }
};

class TScenarioRemoveItemsStartLevel : public TMinigameScenario {
 public:
  void Initialize() override;
};

class TScenarioRemoveItemsEndLevel : public TMinigameScenario {
 public:
  void Initialize() override;
};

}  // namespace kestrelle
