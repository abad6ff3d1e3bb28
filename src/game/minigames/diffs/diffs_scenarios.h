#pragma once
// The scenarios of Find the Differences, made by the data's factories "scenario_start_level",
// "scenario_end_level" and "scenario_find_diff":
//   "scenario_diffs_start_level"  "button_menu" and "button_skip" slide to their "init_x" and
//                                 "panel" to the top over "duration"; the pictures "../group1"
//                                 and "../group2" rise to their "init_y" in "duration" / 1.7
//   "scenario_diffs_end_level"    the buttons and the panel slide out while the pictures move to
//                                 their "middle_x"; after "pause_duration" the pictures leave
//                                 upwards during "final_duration"
//   "scenario_find_diff"          the patch at "../" + "diff_name" bursts into the particles of the
//                                 scenario's own child "ps_selecteddiff" and fades out over
//                                 "duration", then dies; reported as "scenario_find_diff"
// Paths starting with ".." are read from the scenario group, so ".." is the control.

#include <memory>
#include <string>
#include <vector>

#include "game/minigames/minigame_scenario.h"

namespace kestrelle {

class TScenarioDiffsStartLevel : public TMinigameScenario {
 public:
  void Initialize() override;

 private:
  std::vector<Slide> pictures_;
};

class TScenarioDiffsEndLevel : public TMinigameScenario {
 public:
  void Initialize() override;

 private:
  std::vector<Slide> pictures_;
};

class TScenarioDiffsFindDiff : public TMinigameScenario {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;

 protected:
  // The "scenario_to_finalize" of the report.
  virtual const char* ReportName() const { return "scenario_find_diff"; }

 private:
  std::string diffName_;
  std::weak_ptr<IWidget> patch_;
  std::weak_ptr<IWidget> particles_;
};

}  // namespace kestrelle
