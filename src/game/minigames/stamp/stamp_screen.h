#pragma once
// "KestrelleGameScreenGameStamp": the minigame frame around "control_game_stamp". Before the
// control starts, the whole picture ("stamp_picture", the definition's "resourcename") waits
// hidden and transparent, the pieces' group "elements" lies at the origin and the frame around the
// board ("fixed/frame") is shown opaque.

#include "game/minigames/minigame_screen.h"

namespace kestrelle {

class TKestrelleGameScreenGameStamp : public TKestrelleMinigameScreen {
 public:
  TKestrelleGameScreenGameStamp() : TKestrelleMinigameScreen({"control_game_stamp"}) {}

 protected:
  void LayOutFrame() override;
};

}  // namespace kestrelle
