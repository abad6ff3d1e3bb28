#include "game/minigames/board_scenarios.h"

#include <algorithm>

#include "data/numbers.h"
#include "data/variant_values.h"

namespace kestrelle {

namespace {

double InitX(const WidgetRef& widget) {
  double value = 0;
  return VariantToReal(widget->GetProperty("init_x"), value) ? value : 0;
}

}  // namespace

void TBoardScenario::Initialize() {
  TControlStateScenario::Initialize();
  wait_ = 0;
}

const TPropertyTable& TBoardScenario::GetPropertyTable() const {
  static const TPropertyTable table(TControlStateScenario::GetPropertyTable(),
                                    {Property("duration", &TBoardScenario::duration_)});
  return table;
}

double TBoardScenario::Progress() const {
  if (wait_ <= 0) return 1;
  return std::min(static_cast<double>(GetStateTime()) / wait_, 1.0);
}

double TBoardScenario::FirstHalfProgress() const {
  if (wait_ / 2.0 <= 0) return 1;
  return std::min(static_cast<double>(GetStateTime()) / (wait_ / 2.0), 1.0);
}

WidgetRef TBoardScenario::FromControl(const std::string& path) const {
  WidgetRef control = GetControlGame();
  return control ? control->FindWidget(path) : nullptr;
}

WidgetRef TBoardScenario::FromScreen(const std::string& name) const {
  WidgetRef control = GetControlGame();
  WidgetOwnerRef screen = control ? control->GetOwner() : nullptr;
  return screen ? screen->FindWidget(name) : nullptr;
}

WidgetRef TBoardScenario::FromOwner(const std::string& path) {
  WidgetOwnerRef owner = GetOwner();
  return owner ? owner->FindWidget(path) : nullptr;
}

void TBoardScenario::SetLevel(const std::weak_ptr<IWidget>& widget, double level) {
  if (WidgetRef target = widget.lock()) target->SetTransparentLevel(Round32(level));
}

void TMenuSlideInScenario::Initialize() {
  TBoardScenario::Initialize();
  AddState("enter", "move", {}, {}, {}, [this](TState&) {
    menu_ = FromControl("../button_menu");
    // The skip button comes in from where the frame put it (off the right edge) with the menu.
    WidgetRef skip = FromControl("../button_skip");
    skip_ = {skip, skip ? skip->GetAnchorLeft() : 0, skip ? InitX(skip) : 0};
    background_ = FromOwner("../../bg");
    if (WidgetRef elements = FromControl("elements")) elements->SetVisible(true);
  });
  AddState(
      "move", "show_level",
      [this](TState&, int32_t) {
        SetLevel(background_, 255 * Progress());
        if (WidgetRef menu = menu_.lock()) menu->SetAnchorLeft(800 + (InitX(menu) - 800) * FirstHalfProgress());
        skip_.Step(FirstHalfProgress());
      },
      {}, WaitPassed(), [this](TState&) { SetWait(duration_); });
  AddState("show_level", "exit", {}, {}, WaitPassed(), [this](TState&) { SetWait(0); });
  AddState("exit", "", {}, {}, {}, [this](TState&) { Finalize(); });
}

void AnchorLeftSlide::Step(double p) const {
  if (WidgetRef target = widget.lock()) target->SetAnchorLeft(from + p * (to - from));
}

void FrameSlide::SlideIn(const WidgetRef& menu, const WidgetRef& skip, const WidgetRef& panel) {
  menu_ = {menu, menu ? menu->GetAnchorLeft() : 0, menu ? InitX(menu) : 0};
  skip_ = {skip, skip ? skip->GetAnchorLeft() : 0, skip ? InitX(skip) : 0};
  panel_ = {panel, panel ? panel->GetAnchorTop() : 0, 0};
}

void FrameSlide::SlideOut(const WidgetRef& menu, const WidgetRef& skip, const WidgetRef& panel) {
  menu_ = {menu, menu ? menu->GetAnchorLeft() : 0, menu ? -static_cast<double>(menu->GetWidth()) : 0};
  skip_ = {skip, skip ? skip->GetAnchorLeft() : 0, 1024};
  panel_ = {panel, 0, panel ? -static_cast<double>(panel->GetHeight()) : 0};
}

void FrameSlide::Step(double p) {
  for (Track* track : {&menu_, &skip_})
    if (WidgetRef widget = track->widget.lock()) widget->SetAnchorLeft(track->from + p * (track->to - track->from));
  if (WidgetRef panel = panel_.widget.lock()) panel->SetAnchorTop(panel_.from + p * (panel_.to - panel_.from));
}

}  // namespace kestrelle
