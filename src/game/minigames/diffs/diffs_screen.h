#pragma once
// The screens of Find the Differences ("KestrelleGameScreenGameDiffs") and of Remove Items
// ("KestrelleGameScreenGameRemoveItems"): the frame with a "button_hint" (command 10 to the
// control) instead of a "button_close", and no level information. The Find the Differences
// screen also puts the hint button at its own "init_x" (800 without one) and both pictures below
// the picture area (their own "init_x", top 600), from where the start scenario slides them in.

#include <cstdint>

#include "game/minigames/minigame_screen.h"

namespace kestrelle {

class TKestrelleGameScreenGameFindDiffs : public TKestrelleMinigameScreen {
 public:
  TKestrelleGameScreenGameFindDiffs() : TKestrelleMinigameScreen({"control_game_diffs", false}) {}
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;

 protected:
  void LayOutFrame() override;
};

class TKestrelleGameScreenGameRemoveItems : public TKestrelleMinigameScreen {
 public:
  TKestrelleGameScreenGameRemoveItems() : TKestrelleMinigameScreen({"control_game_remove", false, true}) {}
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;
};

}  // namespace kestrelle
