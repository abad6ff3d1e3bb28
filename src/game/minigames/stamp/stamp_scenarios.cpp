#include "game/minigames/stamp/stamp_scenarios.h"

#include "game/minigames/board_control.h"
#include "game/minigames/stamp/stamp_rules.h"

namespace kestrelle {

const TPropertyTable& TScenarioStampElementMove::GetPropertyTable() const {
  using T = TScenarioStampElementMove;
  static const TPropertyTable table(TScenarioElementMove::GetPropertyTable(),
                                    {
                                        Property("move1", &T::move1_),
                                        Property("move2", &T::move2_),
                                        Property("final_state", &T::finalState_, std::string("normal")),
                                    });
  return table;
}

void TScenarioStampElementMove::Moved(const WidgetRef& element, double dx, double dy) {
  WidgetRef control = GetControlGame();
  if (!control) return;
  const std::string self = element->GetName();
  for (const std::string& name : LinkNames(PieceText(element, "links"))) {
    if (name == self) continue;
    if (WidgetRef piece = control->FindWidget("elements/" + name)) {
      piece->SetAnchorLeft(piece->GetAnchorLeft() + dx);
      piece->SetAnchorTop(piece->GetAnchorTop() + dy);
    }
  }
}

void TScenarioStampElementMove::AddToReport(const ParamsRef& report) {
  report->SetValue("move1", Variant(move1_));
  report->SetValue("move2", Variant(move2_));
}

void TScenarioStampShowImage::Initialize() {
  TBoardScenario::Initialize();
  AddState("enter", "show", {}, {}, {}, [this](TState&) { picture_ = FromOwner("../stamp_picture"); });
  AddState(
      "show", "exit", [this](TState&, int32_t) { SetLevel(picture_, 255 * Progress()); }, {}, WaitPassed(),
      [this](TState&) {
        SetWait(duration_);
        if (WidgetRef pieces = FromOwner("../elements")) pieces->SetVisible(false);
        if (WidgetRef picture = picture_.lock()) picture->SetVisible(true);
      });
  AddState("exit", "", {}, {}, {}, [this](TState&) { Finalize(); });
}

void TScenarioStampEndLevel::Initialize() {
  TBoardScenario::Initialize();
  AddState("enter", "hide", {}, {}, {}, [this](TState&) {
    picture_ = FromControl("stamp_picture");
    if (WidgetRef under = FromControl("stamp_picture_under")) under->SetVisible(false);
    slide_.SlideOut(FromScreen("button_menu"), FromScreen("button_skip"), FromScreen("panel"));
  });
  AddState(
      "hide", "exit",
      [this](TState&, int32_t) {
        SetLevel(picture_, 255 * (1 - Progress()));
        slide_.Step(Progress());
      },
      {}, WaitPassed(), [this](TState&) { SetWait(duration_); });
  AddState("exit", "", {}, {}, {}, [this](TState&) { Finalize(); });
}

}  // namespace kestrelle
