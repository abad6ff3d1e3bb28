#pragma once
// "KestrelleGameScreenActionResult": what a done action brought, shown with "action_id". "text"
// gets the action's "result_text", "image" its "result_image", the group "icons" one widget per
// factory named in its "result_icons" (separated by ","), "money" the money owned.
// "button_close" closes.

#include "app/game_screen.h"

namespace kestrelle {

class TKestrelleGameScreenActionResult : public TGameScreen {
 public:
  void OnShowing(const ParamsRef& params) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;
};

}  // namespace kestrelle
