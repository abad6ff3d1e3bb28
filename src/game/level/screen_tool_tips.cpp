#include "game/level/screen_tool_tips.h"

#include "app/standard_screens/screen_helpers.h"

namespace kestrelle {

void TKestrelleGameScreenToolTips::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  if (WidgetRef text = FindWidget("text"))
    text->SetProperty("text", Variant("%tips_" + screens::ParamValue(params, "tool_tip").ToString() + "%"));
}

void TKestrelleGameScreenToolTips::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  if (code != screens::kEventClicked || screens::WidgetName(sender) != "button_ok") return;
  if (GameScreenOwnerRef game = GetOwner()) game->CloseScreen(SelfAs<IGameScreenSlave>(), nullptr);
}

}  // namespace kestrelle
