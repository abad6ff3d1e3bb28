#pragma once
// The scenarios of Path:
//   "scenario_path_start_level"  a picture of "../fixed" in the scenario's child "internal" fades
//                                in while "button_menu" and "button_skip" slide to their "init_x"
//                                and "panel" to the top; the pieces of "../cells" are shown, then
//                                "../fixed/timer", and at the end "../fixed" itself
//   "scenario_path_end_level"    "../fixed" and the pieces are hidden under its picture, which
//                                fades out while the buttons and the panel slide out
// Both last "duration" and report their own name to the control. Paths with ".." start at the
// scenario's owner, the control's "scenario_group".

#include <memory>

#include "game/minigames/board_scenarios.h"

namespace kestrelle {

class TPathScenario : public TBoardScenario {
 protected:
  // "internal" gets a picture of "../fixed", placed where "../fixed" is.
  void TakePicture();
  void ShowPieces(bool show);

  std::weak_ptr<IWidget> internal_;
  FrameSlide slide_;
};

class TScenarioPathStartLevel : public TPathScenario {
 public:
  void Initialize() override;
};

class TScenarioPathEndLevel : public TPathScenario {
 public:
  void Initialize() override;
};

}  // namespace kestrelle
