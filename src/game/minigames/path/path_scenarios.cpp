#include "game/minigames/path/path_scenarios.h"

#include "game/minigames/widget_children.h"

namespace kestrelle {

void TPathScenario::TakePicture() {
  WidgetRef internal = FindWidget("internal");
  internal_ = internal;
  WidgetRef fixed = FromOwner("../fixed");
  if (!internal || !fixed) return;
  internal->SetProperty("surface", Variant(InterfaceRef(fixed->CreateImage())));
  internal->SetAnchorLeft(fixed->GetLeft());
  internal->SetAnchorTop(fixed->GetTop());
}

void TPathScenario::ShowPieces(bool show) {
  for (const WidgetRef& piece : ChildrenOf(FromOwner("../cells"))) piece->SetVisible(show);
}

void TScenarioPathStartLevel::Initialize() {
  TPathScenario::Initialize();
  AddState("enter", "move", {}, {}, {}, [this](TState&) {
    slide_.SlideIn(FromScreen("button_menu"), FromScreen("button_skip"), FromScreen("panel"));
    TakePicture();
  });
  AddState(
      "move", "show_level",
      [this](TState&, int32_t) {
        SetLevel(internal_, 255 * Progress());
        slide_.Step(Progress());
      },
      {}, WaitPassed(),
      [this](TState&) {
        SetWait(duration_);
        ShowPieces(true);
      });
  AddState("show_level", "exit", {}, {}, WaitPassed(), [this](TState&) {
    SetWait(0);
    if (WidgetRef timer = FromOwner("../fixed/timer")) timer->SetVisible(true);
  });
  AddState("exit", "", {}, {}, {}, [this](TState&) {
    SetDead(true);
    if (WidgetRef fixed = FromOwner("../fixed")) fixed->SetVisible(true);
    Finalize();
  });
}

void TScenarioPathEndLevel::Initialize() {
  TPathScenario::Initialize();
  AddState("enter", "hide", {}, {}, {}, [this](TState&) {
    TakePicture();
    slide_.SlideOut(FromScreen("button_menu"), FromScreen("button_skip"), FromScreen("panel"));
  });
  AddState(
      "hide", "exit",
      [this](TState&, int32_t) {
        SetLevel(internal_, 255 - 255 * Progress());
        slide_.Step(Progress());
      },
      {}, WaitPassed(),
      [this](TState&) {
        SetWait(duration_);
        if (WidgetRef fixed = FromOwner("../fixed")) fixed->SetVisible(false);
        ShowPieces(false);
      });
  AddState("exit", "", {}, {}, {}, [this](TState&) { Finalize(); });
}

}  // namespace kestrelle
