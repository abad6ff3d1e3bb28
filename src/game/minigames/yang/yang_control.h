#pragma once
// "KestrelleControlGameYang": the 4 × 4 sliding board of its minigame screen. Tiles in the child
// "cells" are made by the factory of their starting cell ("yang_element_bottom_right" (0,0),
// "yang_element_bottom_left" (0,3), "yang_element_top_right" (3,0), "yang_element_top_left" (3,3),
// "yang_element" elsewhere, (2,2) left free) and carry their picture quarter in "type". A click
// slides a tile into its free neighbour with "scenario_element_move"; the board (YangBoard)
// changes when the move starts. Only while playing does a solved board end the play, so a second
// move still travelling when the picture is whole does not finish it twice.

#include <memory>
#include <string>

#include "game/minigames/board_control.h"
#include "game/minigames/yang/yang_board.h"

namespace kestrelle {

class TKestrelleControlGameYang : public TKestrelleBoardMinigameControl {
 public:
  static constexpr const char* kRequiredChildren[] = {"cells", "scenario_group"};

  void Initialize() override;
  bool MouseDown(const TPoint& point, uint32_t keys, int32_t button) override;

  const YangBoard& Board() const { return board_; }

 protected:
  std::string PieceGroupName() const override { return "cells"; }
  void SetUp() override;
  void OtherScenarioFinished(const std::string& name, const ParamsRef& params) override;

 private:
  YangBoard board_;
};

}  // namespace kestrelle
