#pragma once
// "KestrelleControlGamePath": the pipe board of its minigame screen. Pieces ("path_element_" +
// their "path_type", or a random "path_element_turn" / "path_element_line" where the definition
// names no type) fill the child "cells" row by row; the corners start at 90 degrees, the others at
// a random quarter turn. A click released on a piece's "contour" turns it a quarter; the flow
// (PathBoard) is followed from the top-left cell after set-up and every turn, the pieces on the
// run show "correct", and a complete run lights "fixed/lamp" and ends the play, hiding every piece
// off the run. "fixed/timer" runs while the board is played.

#include <memory>
#include <string>

#include "game/minigames/board_control.h"
#include "game/minigames/path/path_board.h"

namespace kestrelle {

class TKestrelleControlGamePath : public TKestrelleBoardMinigameControl {
 public:
  static constexpr const char* kRequiredChildren[] = {"cells", "scenario_group"};

  void Initialize() override;
  bool MouseUp(const TPoint& point, uint32_t keys, int32_t button) override;

  const PathBoard& Board() const { return board_; }

 protected:
  std::string PieceGroupName() const override { return "cells"; }
  void SetUp() override;
  void OtherScenarioFinished(const std::string& name, const ParamsRef& params) override;
  void EndPlay() override;

 private:
  void SetLamp(bool on);
  void Evaluate();
  WidgetRef Piece(int32_t row, int32_t col);

  PathBoard board_{0, 0};
};

}  // namespace kestrelle
