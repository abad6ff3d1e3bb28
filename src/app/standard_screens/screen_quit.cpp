#include "app/standard_screens/screen_quit.h"

#include "app/standard_screens/screen_helpers.h"

namespace kestrelle {

void TGameScreenQuit::SlaveClosed(const std::string& name, const ParamsRef& result) {
  TGameScreen::SlaveClosed(name, result);
  if (EngineRef engine = GetEngine()) engine->Close();
}

void TGameScreenQuit::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  if (code != screens::kEventClicked) return;
  std::string name = screens::WidgetName(sender);
  if (name == "button_exit") {
    if (EngineRef engine = GetEngine()) engine->Close();
  } else if (name == "button_cancel") {
    if (GameScreenOwnerRef owner = GetOwner()) owner->CloseScreen(SelfAs<IGameScreenSlave>(), nullptr);
  }
}

}  // namespace kestrelle
