#include "game/minigames/yang/yang_scenarios.h"

#include "data/variant_values.h"

namespace kestrelle {

void TScenarioYangEndLevel::Initialize() {
  TBoardScenario::Initialize();
  AddState("enter", "hide", {}, {}, {}, [this](TState&) {
    background_ = FromScreen("bg");
    if (WidgetRef under = FromControl("Yang_picture_under")) under->SetVisible(false);
    WidgetRef menu = FromOwner("../../button_menu");
    menu_ = menu;
    if (menu && !VariantToReal(menu->GetProperty("init_x"), menuFrom_)) menuFrom_ = 0;
    // The skip button leaves to the right, where the frame puts it, in the same time.
    WidgetRef skip = FromOwner("../../button_skip");
    skip_ = {skip, skip ? skip->GetAnchorLeft() : 0, 1024};
  });
  AddState(
      "hide", "exit",
      [this](TState&, int32_t) {
        SetLevel(background_, 255 * (1 - Progress()));
        if (WidgetRef menu = menu_.lock()) menu->SetAnchorLeft(menuFrom_ + (800 - menuFrom_) * FirstHalfProgress());
        skip_.Step(FirstHalfProgress());
      },
      {}, WaitPassed(), [this](TState&) { SetWait(duration_); });
  AddState("exit", "", {}, {}, {}, [this](TState&) { Finalize(); });
}

}  // namespace kestrelle
