#pragma once
// The scenarios of Hurdle:
//   "scenario_hurdle_start_level"  the control's "elements" is shown; "button_menu" and
//                                  "button_skip" slide to their "init_x", "panel" to the top
//   "scenario_hurdle_end_level"    the buttons slide out (menu to −its width, skip to 1024) and
//                                  "panel" rises by its height
// Both last "duration" and report their own name to the control.

#include "game/minigames/board_scenarios.h"

namespace kestrelle {

class TScenarioHurdleStartLevel : public TBoardScenario {
 public:
  void Initialize() override;

 private:
  FrameSlide slide_;
};

class TScenarioHurdleEndLevel : public TBoardScenario {
 public:
  void Initialize() override;

 private:
  FrameSlide slide_;
};

}  // namespace kestrelle
