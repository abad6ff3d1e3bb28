#pragma once
// The scenarios of Stamp:
//   "scenario_stamp_element_move"  a piece and its whole group ("links") slide to join the piece
//                                  put down; the report is "scenario_element_move" with the two
//                                  pieces in "move1" and "move2"
//   "scenario_stamp_show_image"    the pieces give way to "../stamp_picture", fading in
//   "scenario_stamp_start_level"   as the start of Yang: "../../bg" fades in, "button_menu" slides in
//   "scenario_stamp_end_level"     "stamp_picture" fades out while the frame slides out
// The last three report their own name to the control.

#include <memory>
#include <string>

#include "game/minigames/board_scenarios.h"
#include "game/minigames/element_move_scenario.h"

namespace kestrelle {

// The element move whose piece leaves in the state "normal" and whose report names the two
// pieces joined ("move1", "move2").
class TScenarioStampElementMove : public TScenarioElementMove {
 public:
  const TPropertyTable& GetPropertyTable() const override;

 protected:
  void Moved(const WidgetRef& element, double dx, double dy) override;
  void AddToReport(const ParamsRef& report) override;

 private:
  std::string move1_;
  std::string move2_;
};

class TScenarioStampShowImage : public TBoardScenario {
 public:
  void Initialize() override;

 private:
  std::weak_ptr<IWidget> picture_;
};

class TScenarioStampStartLevel : public TMenuSlideInScenario {};

class TScenarioStampEndLevel : public TBoardScenario {
 public:
  void Initialize() override;

 private:
  std::weak_ptr<IWidget> picture_;
  FrameSlide slide_;
};

}  // namespace kestrelle
