#pragma once
// The scenarios of Yang:
//   "scenario_yang_start_level"  "../../bg" fades in while "button_menu" slides in from x = 800
//                                and "button_skip" from where the frame put it
//   "scenario_yang_end_level"    "Yang_picture_under" is hidden; "bg" fades out while
//                                "button_menu" slides back to x = 800 and "button_skip" out to
//                                x = 1024, both in the first half
// Both last "duration" and report their own name to the control.

#include <memory>

#include "game/minigames/board_scenarios.h"

namespace kestrelle {

class TScenarioYangStartLevel : public TMenuSlideInScenario {};

class TScenarioYangEndLevel : public TBoardScenario {
 public:
  void Initialize() override;

 private:
  std::weak_ptr<IWidget> menu_, background_;
  double menuFrom_ = 0;
  AnchorLeftSlide skip_;
};

}  // namespace kestrelle
