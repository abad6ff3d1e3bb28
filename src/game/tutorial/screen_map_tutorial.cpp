#include "game/tutorial/screen_map_tutorial.h"

#include "app/standard_screens/screen_helpers.h"

namespace kestrelle {

namespace {

constexpr int64_t kLastPage = 1;

}  // namespace

void TKestrelleGameScreenMapTutorial::SetOwner(const GameScreenOwnerRef& owner) {
  TGameScreen::SetOwner(owner);
  states_ = owner ? FindWidget("states") : nullptr;
}

void TKestrelleGameScreenMapTutorial::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  page_ = 0;
  if (states_) states_->SetProperty("state", Variant(int64_t{0}));
}

void TKestrelleGameScreenMapTutorial::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  if (code != screens::kEventClicked || screens::WidgetName(sender) != "button_ok") return;
  if (page_ == kLastPage) {
    if (GameScreenOwnerRef owner = GetOwner()) owner->CloseScreen(SelfAs<IGameScreenSlave>(), nullptr);
  } else if (states_) {
    states_->SetProperty("state", Variant(page_ + 1));
  }
  ++page_;
}

}  // namespace kestrelle
