#include "game/minigames/satchel/satchel_scenarios.h"

#include "app/standard_screens/screen_helpers.h"
#include "data/numbers.h"
#include "data/random.h"
#include "game/minigames/widget_children.h"

namespace kestrelle {

void TSatchelScenario::CopySatchel() {
  WidgetRef internal = FindWidget("internal");
  internal_ = internal;
  WidgetRef satchel = FindFromOwner("../fixed");
  if (!internal || !satchel) return;
  internal->SetProperty("surface", Variant(InterfaceRef(satchel->CreateImage())));
  internal->SetAnchorLeft(satchel->GetLeft());
  internal->SetAnchorTop(satchel->GetTop());
}

void TSatchelScenario::SetInternalLevel(double level) {
  if (WidgetRef internal = internal_.lock()) internal->SetTransparentLevel(Round32(level));
}

void TScenarioSatchelStartLevel::Initialize() {
  TSatchelScenario::Initialize();
  AddInstantState("enter", "move", [this](TState&) {
    CopySatchel();
    SlideFrameIn();
  });
  AddTimedState(
      "move", "show_level", [this] { return duration_; },
      [this](TState&) {
        for (const WidgetRef& piece : ChildrenOf(FindFromOwner("../elements"))) {
          screens::ShowWidget(piece, true);
          piece->SetProperty("currenttime", Variant(-Random(200)));
        }
      },
      [this](double p) {
        SetInternalLevel(p * 255);
        StepSlides(p);
      });
  AddInstantState("show_level", "exit",
                  [this](TState&) { screens::ShowWidget(FindFromOwner("../fixed/timer"), true); });
  AddInstantState("exit", "", [this](TState&) {
    screens::ShowWidget(FindFromOwner("../fixed"), true);
    screens::ShowWidget(FindFromOwner("../timer"), true);
    DieThenReport();
  });
}

void TScenarioSatchelEndLevel::Initialize() {
  TSatchelScenario::Initialize();
  AddInstantState("enter", "hide", [this](TState&) {
    CopySatchel();
    SlideButtonsOut();
    screens::ShowWidget(FindFromOwner("../timer"), false);
  });
  AddTimedState(
      "hide", "exit", [this] { return duration_; },
      [this](TState&) {
        screens::ShowWidget(FindFromOwner("../fixed"), false);
        for (const WidgetRef& piece : ChildrenOf(FindFromOwner("../elements"))) screens::ShowWidget(piece, false);
      },
      [this](double p) {
        SetInternalLevel(255 - p * 255);
        StepSlides(p);
        if (WidgetRef panel = FindOnScreen("panel")) panel->SetAnchorTop(p * -panel->GetHeight());
      });
  AddInstantState("exit", "", [this](TState&) { DieThenReport(); });
}

const TPropertyTable& TScenarioResetElement::GetPropertyTable() const {
  using T = TScenarioResetElement;
  static const TPropertyTable table(TScenarioElementMove::GetPropertyTable(),
                                    {
                                        Property("report", &T::report_, false),
                                        Property("final_state", &T::finalState_, std::string("normal")),
                                    });
  return table;
}

}  // namespace kestrelle
