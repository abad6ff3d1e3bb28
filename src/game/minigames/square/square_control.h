#pragma once
// "KestrelleControlGameSquare": the magic square of its minigame screen. Nine tiles from the
// factory "square_element" (parameters "name", "anchor_left", "anchor_top", "digit", "row", "col",
// "resourcename" = "img_Square" + digit) lie in the child "cells" in counting order; two clicks
// swap two tiles, each travelling with its own "scenario_element_move". The grid is judged after
// every move that arrives (IsSquareSolved). Tiles keep "row", "col", "digit", "on" (−1 selected)
// and "state" ("moving", "fixed") as their own values.

#include <memory>
#include <string>

#include "game/minigames/board_control.h"
#include "game/minigames/square/square_board.h"
#include "game/minigames/swap_selection.h"

namespace kestrelle {

class TKestrelleControlGameSquare : public TKestrelleBoardMinigameControl {
 public:
  static constexpr const char* kRequiredChildren[] = {"cells", "scenario_group"};

  void Initialize() override;
  bool MouseDown(const TPoint& point, uint32_t keys, int32_t button) override;

  // The digits by row and column, as the arrived tiles say.
  const SquareGrid& Grid() const { return grid_; }

 protected:
  std::string PieceGroupName() const override { return "cells"; }
  void SetUp() override;
  void OtherScenarioFinished(const std::string& name, const ParamsRef& params) override;

 private:
  SquareGrid grid_{};
  SwapSelection selection_;
};

}  // namespace kestrelle
