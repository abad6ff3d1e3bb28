#include "game/minigames/remove_items/remove_items_scenarios.h"

namespace kestrelle {

void TScenarioRemoveItemsStartLevel::Initialize() {
  TMinigameScenario::Initialize();
  AddInstantState("enter", "start_level", [this](TState&) { SlideFrameIn(); });
  AddTimedState(
      "start_level", "show_level", [this] { return duration_; }, {}, [this](double p) { StepSlides(p); });
  AddInstantState("show_level", "exit");
  AddInstantState("exit", "", [this](TState&) { Finalize(); });
}

void TScenarioRemoveItemsEndLevel::Initialize() {
  TMinigameScenario::Initialize();
  AddInstantState("enter", "end_level", [this](TState&) {
    SlideButtonsOut();
    if (WidgetRef panel = FindOnScreen("panel")) AddSlide(panel, false, -panel->GetHeight());
  });
  AddTimedState(
      "end_level", "pause", [this] { return duration_; }, {}, [this](double p) { StepSlides(p); });
  AddTimedState("pause", "final", [this] { return pauseDuration_; });
  AddTimedState("final", "exit", [this] { return finalDuration_; });
  AddInstantState("exit", "", [this](TState&) { Finalize(); });
}

}  // namespace kestrelle
