#include "game/minigames/element_move_scenario.h"

#include <algorithm>

namespace kestrelle {

void TScenarioTileMove::Initialize() {
  TControlStateScenario::Initialize();
  element_.reset();
  startX_ = startY_ = 0;
  AddState("enter", "moving", {}, {}, {}, [this](TState&) {
    WidgetOwnerRef owner = GetOwner();
    WidgetRef element = owner && !elementName_.empty() ? owner->FindWidget(elementName_) : nullptr;
    element_ = element;
    if (element) {
      startX_ = element->GetAnchorLeft();
      startY_ = element->GetAnchorTop();
    }
  });
  AddState(
      "moving", "exit", [this](TState&, int32_t) { Step(); }, {},
      [this](TState&) { return GetStateTime() >= duration_; });
  AddState("exit", "", {}, {}, {}, [this](TState&) { Arrived(); });
}

const TPropertyTable& TScenarioTileMove::GetPropertyTable() const {
  using T = TScenarioTileMove;
  static const TPropertyTable table(TControlStateScenario::GetPropertyTable(),
                                    {
                                        Property("duration", &T::duration_, int32_t{1000}),
                                        Property("element_name", &T::elementName_),
                                        Property("final_x", &T::finalX_),
                                        Property("final_y", &T::finalY_),
                                    });
  return table;
}

void TScenarioTileMove::Step() {
  WidgetRef element = element_.lock();
  if (!element) return;
  const double p = duration_ > 0 ? std::min(static_cast<double>(GetStateTime()) / duration_, 1.0) : 1.0;
  const double x = startX_ + p * (finalX_ - startX_);
  const double y = startY_ + p * (finalY_ - startY_);
  const double dx = x - element->GetAnchorLeft();
  const double dy = y - element->GetAnchorTop();
  element->SetAnchorLeft(x);
  element->SetAnchorTop(y);
  Moved(element, dx, dy);
}

void TScenarioTileMove::Arrived() {
  ParamsRef params = CreateParams();
  params->SetValue("scenario_to_finalize", Variant(GetName()));
  params->SetValue("element_name", Variant(elementName_));
  ReportToControl(kCommandFinalize, params);
  SetDead(true);
}

}  // namespace kestrelle
