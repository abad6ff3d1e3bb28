#pragma once
// The screens of Puzzle ("KestrelleGameScreenGamePuzzle") and Satchel
// ("KestrelleGameScreenGameSatchel"): the frame with a "button_close" the control shows when the
// game is over. Puzzle lays its picture out before the control starts: "puzzle_picture" (the
// whole picture, hidden until the end), "puzzle_picture_under" (the definition's "resourcename"
// followed by "Under", a guide under the pieces) and "fixed/frame", all inside the control.
// Satchel hides the control's "fixed" (the satchel, which the start scenario fades in), puts its
// "button_reset" out of sight on the left and forwards it as command 22.

#include <cstdint>

#include "game/minigames/minigame_screen.h"

namespace kestrelle {

class TKestrelleGameScreenGamePuzzle : public TKestrelleMinigameScreen {
 public:
  TKestrelleGameScreenGamePuzzle() : TKestrelleMinigameScreen({"control_game_puzzle"}) {}

 protected:
  void LayOutFrame() override;
};

class TKestrelleGameScreenGameSatchel : public TKestrelleMinigameScreen {
 public:
  TKestrelleGameScreenGameSatchel() : TKestrelleMinigameScreen({"control_game_satchel"}) {}
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;

 protected:
  void LayOutFrame() override;
};

}  // namespace kestrelle
