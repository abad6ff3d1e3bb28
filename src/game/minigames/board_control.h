#pragma once
// The common part of the board minigames that end with the close button (Square, Yang, Hurdle,
// Path, Stamp): the commands of the frame, the start and end scenarios, the help shown when the
// start scenario is over, and the two-phase finish: solving (or skipping while playing) plays
// "sound_minigame_completed" and ends the play, the close button (or, without one, the end
// scenario at once) leads to "scenario_end_level", whose report sends 32773 to the screen.
//
// Boards whose pieces travel start the move scenario "scenario_element_move" with "name",
// "element_name", "final_x" and "final_y"; its report names a scenario containing
// "scenario_element_move" and carries the same "element_name".

#include <cstdint>
#include <string>

#include "game/minigames/minigame_control.h"

namespace kestrelle {

class TKestrelleBoardMinigameControl : public TKestrelleMinigameControl {
 public:
  bool MouseEvent(uint32_t message, const TPoint& point, uint32_t keys) override;

 protected:
  void Command(int32_t code, const ParamsRef& params) override;
  void ScenarioFinalized(const std::string& name, const ParamsRef& params) override;

  // Builds the board anew (commands 5 and 6); starts the start scenario and sets State 1.
  virtual void SetUp() = 0;
  // A scenario other than the start and end scenarios has reported.
  virtual void OtherScenarioFinished(const std::string& name, const ParamsRef& params) {}
  // The play is over (solved or skipped while playing), State already 0: by default the close
  // button is shown, or the end scenario starts when the screen has none.
  virtual void EndPlay();

  // In State 2 ends the play; in State 0 reports to the screen; in State 1 does nothing.
  void Finish();
  // "scenario_start_level" with "LevelName" = "%%", a line break and the definition's "LevelName".
  void StartWithLevelName();
  // The move of a piece of `group` ("cells", "elements") to (x, y).
  WidgetRef StartMove(const std::string& factory, const std::string& group, const std::string& piece, double x,
                      double y, const ParamsRef& extra = nullptr);
  // A move reported: its scenario is killed and removed; the piece at its "element_name", looked up
  // by its last name in `pieces`, or none.
  WidgetRef MoveReported(const std::string& name, const ParamsRef& params, const WidgetRef& pieces);
  // The screen point of the mouse message being handled.
  TPoint ScreenPoint() const { return screenPoint_; }
  // The first child of `group` (child order) under the current mouse message.
  WidgetRef FirstChildUnderMouse(const WidgetRef& group);

 private:
  TPoint screenPoint_{0, 0};
};

// A widget property as text, integer or real (empty, 0 when missing or not a number).
std::string PieceText(const WidgetRef& widget, const std::string& name);
int64_t PieceInt(const WidgetRef& widget, const std::string& name);
double PieceReal(const WidgetRef& widget, const std::string& name);

}  // namespace kestrelle
