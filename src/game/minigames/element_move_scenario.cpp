#include "game/minigames/element_move_scenario.h"

#include <memory>

#include "game/minigames/widget_children.h"

namespace kestrelle {

const TPropertyTable& TScenarioElementMove::GetPropertyTable() const {
  using T = TScenarioElementMove;
  static const TPropertyTable table(TMinigameScenario::GetPropertyTable(),
                                    {
                                        Property("element_name", &T::elementName_),
                                        Property("final_x", &T::finalX_),
                                        Property("final_y", &T::finalY_),
                                        Property("report", &T::report_, true),
                                        Property("report_own_name", &T::reportOwnName_),
                                        Property("final_state", &T::finalState_, std::string("placed")),
                                    });
  return table;
}

void TScenarioElementMove::Initialize() {
  TMinigameScenario::Initialize();
  element_.reset();
  entered_ = false;
  fromX_ = fromY_ = 0;
  AddInstantState("enter", "moving", [this](TState&) {
    WidgetRef element = elementName_.empty() ? nullptr : FindFromOwner(elementName_);
    element_ = element;
    entered_ = true;
    if (!element) return;
    fromX_ = element->GetAnchorLeft();
    fromY_ = element->GetAnchorTop();
  });
  AddTimedState(
      "moving", "exit", [this] { return duration_; }, {},
      [this](double p) {
        WidgetRef element = element_.lock();
        if (!element) return;
        const double x = fromX_ + p * (finalX_ - fromX_);
        const double y = fromY_ + p * (finalY_ - fromY_);
        const double dx = x - element->GetAnchorLeft();
        const double dy = y - element->GetAnchorTop();
        element->SetAnchorLeft(x);
        element->SetAnchorTop(y);
        Moved(element, dx, dy);
      });
  AddInstantState("exit", "", [this](TState&) { Arrived(); });
}

WidgetRef TScenarioElementMove::Element() {
  if (WidgetRef element = element_.lock()) return element;
  // Not started yet: the piece it is about to move.
  return entered_ || elementName_.empty() ? nullptr : FindFromOwner(elementName_);
}

void TScenarioElementMove::Arrived() {
  WidgetRef piece = element_.lock();
  if (report_) {
    ParamsRef report = CreateParams();
    report->SetValue("scenario_to_finalize", Variant(reportOwnName_ ? GetName() : std::string(kReportName)));
    report->SetValue("name", Variant(GetName()));
    report->SetValue("element_name", Variant(elementName_));
    AddToReport(report);
    ReportToControl(kCommandFinalize, report);
  }
  if (piece && !finalState_.empty()) piece->SetProperty("state", Variant(finalState_));
  SetDead(true);
}

namespace {

template <typename Visit>
void ForEachMoveOf(const WidgetRef& group, const IWidget& piece, Visit visit) {
  for (const WidgetRef& child : ChildrenOf(group)) {
    auto move = std::dynamic_pointer_cast<TScenarioElementMove>(child);
    if (move && !move->GetDead() && move->Element().get() == &piece) visit(*move);
  }
}

}  // namespace

bool TScenarioElementMove::Moves(const WidgetRef& group, const IWidget& piece) {
  bool found = false;
  ForEachMoveOf(group, piece, [&found](TScenarioElementMove&) { found = true; });
  return found;
}

void TScenarioElementMove::StopMoves(const WidgetRef& group, const IWidget& piece) {
  ForEachMoveOf(group, piece, [](TScenarioElementMove& move) { move.SetDead(true); });
}

}  // namespace kestrelle
