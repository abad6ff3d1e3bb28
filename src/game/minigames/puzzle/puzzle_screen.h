#pragma once
// The screen of Puzzle ("KestrelleGameScreenGamePuzzle"): the frame with a "button_close" the
// control shows when the game is over. It lays its picture out before the control starts:
// "puzzle_picture" (the whole picture, hidden until the end), "puzzle_picture_under" (the
// definition's "resourcename" followed by "Under", a guide under the pieces) and "fixed/frame",
// all inside the control.

#include "game/minigames/minigame_screen.h"

namespace kestrelle {

class TKestrelleGameScreenGamePuzzle : public TKestrelleMinigameScreen {
 public:
  TKestrelleGameScreenGamePuzzle() : TKestrelleMinigameScreen({"control_game_puzzle"}) {}

 protected:
  void LayOutFrame() override;
};

}  // namespace kestrelle
