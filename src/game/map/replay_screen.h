#pragma once
// "GS_Replay": the money of a replayed level, from the booked results ("level_money_old",
// "level_money_new", "level_money_add"); "button_ok" closes it.

#include "app/game_screen.h"

namespace kestrelle {

class TKestrelleGameScreenReplay : public TGameScreen {
 public:
  void OnShowing(const ParamsRef& params) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;
};

}  // namespace kestrelle
