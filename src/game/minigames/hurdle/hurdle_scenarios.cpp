#include "game/minigames/hurdle/hurdle_scenarios.h"

namespace kestrelle {

void TScenarioHurdleStartLevel::Initialize() {
  TBoardScenario::Initialize();
  AddState("enter", "move", {}, {}, {}, [this](TState&) {
    slide_.SlideIn(FromControl("../button_menu"), FromScreen("button_skip"), FromScreen("panel"));
    if (WidgetRef elements = FromControl("elements")) elements->SetVisible(true);
  });
  AddState(
      "move", "show_level", [this](TState&, int32_t) { slide_.Step(Progress()); }, {}, WaitPassed(),
      [this](TState&) { SetWait(duration_); });
  AddState("show_level", "exit", {}, {}, WaitPassed(), [this](TState&) { SetWait(0); });
  AddState("exit", "", {}, {}, {}, [this](TState&) { Finalize(); });
}

void TScenarioHurdleEndLevel::Initialize() {
  TBoardScenario::Initialize();
  AddState("enter", "hide", {}, {}, {}, [this](TState&) {
    slide_.SlideOut(FromScreen("button_menu"), FromScreen("button_skip"), FromScreen("panel"));
  });
  AddState(
      "hide", "exit", [this](TState&, int32_t) { slide_.Step(Progress()); }, {}, WaitPassed(),
      [this](TState&) { SetWait(duration_); });
  AddState("exit", "", {}, {}, {}, [this](TState&) { Finalize(); });
}

}  // namespace kestrelle
