#pragma once
// The common part of the board minigames (Square, Yang, Hurdle, Path, Stamp): the commands, the
// start and end scenarios and the finish are the minigame control's.
//
// Boards whose pieces travel start the move scenario "scenario_element_move" with "name",
// "element_name", "final_x" and "final_y"; its report names a scenario containing
// "scenario_element_move" and carries the same "element_name".

#include <cstdint>
#include <string>

#include "game/minigames/minigame_control.h"

namespace kestrelle {

class TKestrelleBoardMinigameControl : public TKestrelleMinigameControl {
 protected:
  // The move of a piece of `group` ("cells", "elements") to (x, y).
  WidgetRef StartMove(const std::string& factory, const std::string& group, const std::string& piece, double x,
                      double y, const ParamsRef& extra = nullptr);
  // A move reported: its scenario is killed and removed; the piece at its "element_name", looked up
  // by its last name in `pieces`, or none.
  WidgetRef MoveReported(const std::string& name, const ParamsRef& params, const WidgetRef& pieces);
};

// A widget property as text, integer or real (empty, 0 when missing or not a number).
std::string PieceText(const WidgetRef& widget, const std::string& name);
int64_t PieceInt(const WidgetRef& widget, const std::string& name);
double PieceReal(const WidgetRef& widget, const std::string& name);

}  // namespace kestrelle
