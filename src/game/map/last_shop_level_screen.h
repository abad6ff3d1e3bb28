#pragma once
// "GS_LastShopLevel": shown when a shop's last level is won, with "finished_shop". The shop's
// owner stands in "person", "text_GameHelp" says the shop's farewell and "certificate" shows the
// shop's certificate. A click on "button_ok" or "button_close" closes it.

#include "app/game_screen.h"

namespace kestrelle {

class TKestrelleGameScreenLastShopLevel : public TGameScreen {
 public:
  void OnShowing(const ParamsRef& params) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;
};

}  // namespace kestrelle
