#pragma once
// "KestrelleControlGameHurdle": pictures ("flower" widgets in the child "cells", one per object
// of the definition) stand on named places; two clicks swap two pictures, each travelling with
// its own "scenario_element_move". Solved when every picture's "place" has that picture's name as
// its "goal" (IsHurdleSolved). Pictures keep "place", "state" ("moving", "fixed") and "on".

#include <memory>
#include <string>

#include "game/minigames/board_control.h"
#include "game/minigames/swap_selection.h"

namespace kestrelle {

class TKestrelleControlGameHurdle : public TKestrelleBoardMinigameControl {
 public:
  static constexpr const char* kRequiredChildren[] = {"cells", "scenario_group"};

  void Initialize() override;
  bool MouseDown(const TPoint& point, uint32_t keys, int32_t button) override;

  bool IsSolved();

 protected:
  std::string PieceGroupName() const override { return "cells"; }
  void SetUp() override;
  void OtherScenarioFinished(const std::string& name, const ParamsRef& params) override;

 private:
  SwapSelection selection_;
};

}  // namespace kestrelle
