#pragma once
// The scenarios of Satchel, made by the data's factories "scenario_start_level",
// "scenario_end_level" and "scenario_reset_element" (the glide into a cell is "scenario_moving",
// the shared "scenario_element_move"):
//   "scenario_satchel_start_level"  the scenario's own child "internal" (a surface widget) shows a
//                                   picture of "../fixed" (the satchel) fading in over "duration"
//                                   while the buttons and the panel slide in and the pieces appear,
//                                   each up to 0.2 s late; then "../fixed/timer", "../fixed" and
//                                   "../timer" are shown and it reports its own name
//   "scenario_satchel_end_level"    the satchel and the pieces hide behind "internal", which fades
//                                   out while the buttons and the panel slide out; reports its
//                                   own name
//   "scenario_reset_element"        the piece at "element_name" glides back to ("final_x",
//                                   "final_y") over "duration" and lies free again; no report

#include <memory>

#include "game/minigames/element_move_scenario.h"
#include "game/minigames/minigame_scenario.h"

namespace kestrelle {

class TSatchelScenario : public TMinigameScenario {
 protected:
  // "internal" shows the picture of "../fixed" where the satchel lies.
  void CopySatchel();
  void SetInternalLevel(double level);

  std::weak_ptr<IWidget> internal_;
};

class TScenarioSatchelStartLevel : public TSatchelScenario {
 public:
  void Initialize() override;
};

class TScenarioSatchelEndLevel : public TSatchelScenario {
 public:
  void Initialize() override;
};

// The element move that takes a piece home: it leaves the piece "normal" and reports nothing.
class TScenarioResetElement : public TScenarioElementMove {
 public:
  const TPropertyTable& GetPropertyTable() const override;
};

}  // namespace kestrelle
