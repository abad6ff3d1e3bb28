#pragma once
// The screen of Satchel ("KestrelleGameScreenGameSatchel"): the frame with a "button_close" the
// control shows when the satchel is packed, and a "button_reset" forwarded as command 22. Before
// the control starts it hides the control's "fixed" (the satchel, which the start scenario fades
// in) and puts "button_reset" out of sight on the left.

#include <cstdint>

#include "game/minigames/minigame_screen.h"

namespace kestrelle {

class TKestrelleGameScreenGameSatchel : public TKestrelleMinigameScreen {
 public:
  TKestrelleGameScreenGameSatchel() : TKestrelleMinigameScreen({"control_game_satchel"}) {}
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;

 protected:
  void LayOutFrame() override;
};

}  // namespace kestrelle
