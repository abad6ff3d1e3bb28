#include "game/map/award_screen.h"

#include "app/standard_screens/screen_helpers.h"
#include "game/map/award_list.h"
#include "game/map/profile_params.h"
#include "game/map/widget_lookup.h"

namespace kestrelle {

void TKestrelleGameScreenNewAward::SetOwner(const GameScreenOwnerRef& owner) {
  TGameScreen::SetOwner(owner);
  scenarioGroup_ = FindWidget("scenario_group");
}

void TKestrelleGameScreenNewAward::Finalize() {
  scenarioGroup_.reset();
  TGameScreen::Finalize();
}

void TKestrelleGameScreenNewAward::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  ClearGroup(scenarioGroup_);
  WidgetRef awards = FindWidget("awards");
  ClearGroup(awards);
  for (const std::string& factory : WonAwardFactories(SnapshotParams(params)))
    CreateInto(GetWindowWidget(), awards, factory, nullptr);
}

void TKestrelleGameScreenNewAward::Show(const ParamsRef& params) {
  TGameScreen::Show(params);
  PlaySound("sound_execute_action");
}

void TKestrelleGameScreenNewAward::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  GameScreenOwnerRef owner = GetOwner();
  if (owner && code == screens::kEventClicked && screens::WidgetName(sender) == "button_ok")
    owner->CloseScreen(SelfAs<IGameScreenSlave>(), nullptr);
}

}  // namespace kestrelle
