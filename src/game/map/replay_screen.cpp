#include "game/map/replay_screen.h"

#include <utility>

#include "app/standard_screens/screen_helpers.h"

namespace kestrelle {

void TKestrelleGameScreenReplay::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  const std::pair<const char*, const char*> texts[] = {
      {"old_money", "level_money_old"}, {"new_money", "level_money_new"}, {"add_money", "level_money_add"}};
  for (const auto& [widget, key] : texts) {
    const Variant value = screens::ParamValue(params, key);
    if (WidgetRef target = FindWidget(widget))
      target->SetProperty("text", Variant(value.IsEmptyOrNull() ? std::string() : value.ToString()));
  }
}

void TKestrelleGameScreenReplay::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  GameScreenOwnerRef owner = GetOwner();
  if (owner && code == screens::kEventClicked && screens::WidgetName(sender) == "button_ok")
    owner->CloseScreen(SelfAs<IGameScreenSlave>(), nullptr);
}

}  // namespace kestrelle
