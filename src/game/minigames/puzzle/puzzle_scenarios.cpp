#include "game/minigames/puzzle/puzzle_scenarios.h"

#include "app/standard_screens/screen_helpers.h"
#include "data/numbers.h"

namespace kestrelle {

namespace {

void SetLevel(const std::weak_ptr<IWidget>& widget, double level) {
  if (WidgetRef target = widget.lock()) target->SetTransparentLevel(Round32(level));
}

}  // namespace

void TScenarioPuzzleStartLevel::Initialize() {
  TMinigameScenario::Initialize();
  AddInstantState("enter", "move", [this](TState&) {
    screens::ShowWidget(FindFromOwner("../elements"), true);
    SlideFrameIn();
  });
  AddTimedState(
      "move", "show_level", [this] { return duration_; }, {}, [this](double p) { StepSlides(p); });
  AddInstantState("show_level", "exit");
  AddInstantState("exit", "", [this](TState&) { DieThenReport(); });
}

void TScenarioShowImage::Initialize() {
  TMinigameScenario::Initialize();
  AddInstantState("enter", "show", [this](TState&) {
    picture_ = FindFromOwner("../puzzle_picture");
    pieces_ = FindFromOwner("../elements");
  });
  AddTimedState(
      "show", "exit", [this] { return duration_; },
      [this](TState&) {
        screens::ShowWidget(pieces_.lock(), false);
        screens::ShowWidget(picture_.lock(), true);
      },
      [this](double p) { SetLevel(picture_, p * 255); });
  AddInstantState("exit", "", [this](TState&) { Finalize(); });
}

void TScenarioPuzzleEndLevel::Initialize() {
  TMinigameScenario::Initialize();
  AddInstantState("enter", "hide", [this](TState&) {
    picture_ = FindFromOwner("../puzzle_picture");
    frame_ = FindFromOwner("../fixed/frame");
    screens::ShowWidget(FindFromOwner("../puzzle_picture_under"), false);
    SlideButtonsOut();
  });
  AddTimedState(
      "hide", "exit", [this] { return duration_; }, {},
      [this](double p) {
        SetLevel(picture_, (1 - p) * 255);
        SetLevel(frame_, (1 - p) * 255);
        StepSlides(p);
        if (WidgetRef panel = FindOnScreen("panel")) panel->SetAnchorTop(p * -panel->GetHeight());
      });
  AddInstantState("exit", "", [this](TState&) { DieThenReport(); });
}

}  // namespace kestrelle
