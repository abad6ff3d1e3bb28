#pragma once
// The scenarios of Puzzle, made by the data's factories "scenario_start_level",
// "scenario_show_image" and "scenario_end_level" (the glide of a piece is "scenario_moving",
// the shared "scenario_element_move"):
//   "scenario_puzzle_start_level"  shows "../elements"; "button_menu" and "button_skip" slide to
//                                  their "init_x" and "panel" to the top over "duration"
//   "scenario_show_image"          hides the pieces and fades "../puzzle_picture" in over
//                                  "duration"
//   "scenario_puzzle_end_level"    hides "../puzzle_picture_under"; the picture and
//                                  "../fixed/frame" fade out while the frame's buttons and panel
//                                  slide out over "duration"
// Each reports its own name when it is over.

#include <memory>

#include "game/minigames/minigame_scenario.h"

namespace kestrelle {

class TScenarioPuzzleStartLevel : public TMinigameScenario {
 public:
  void Initialize() override;
};

class TScenarioShowImage : public TMinigameScenario {
 public:
  void Initialize() override;

 private:
  std::weak_ptr<IWidget> picture_;
  std::weak_ptr<IWidget> pieces_;
};

class TScenarioPuzzleEndLevel : public TMinigameScenario {
 public:
  void Initialize() override;

 private:
  std::weak_ptr<IWidget> picture_;
  std::weak_ptr<IWidget> frame_;
};

}  // namespace kestrelle
