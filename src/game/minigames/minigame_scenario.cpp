#include "game/minigames/minigame_scenario.h"

#include <algorithm>

#include "data/variant_values.h"

namespace kestrelle {

double RealProperty(const WidgetRef& widget, const std::string& name) {
  double value = 0;
  return widget && VariantToReal(widget->GetProperty(name), value) ? value : 0;
}

void TMinigameScenario::Initialize() {
  TControlStateScenario::Initialize();
  wait_ = 0;
  slides_.clear();
}

const TPropertyTable& TMinigameScenario::GetPropertyTable() const {
  using T = TMinigameScenario;
  static const TPropertyTable table(TControlStateScenario::GetPropertyTable(),
                                    {
                                        Property("duration", &T::duration_, 1000),
                                        Property("pause_duration", &T::pauseDuration_),
                                        Property("final_duration", &T::finalDuration_),
                                    });
  return table;
}

void TMinigameScenario::AddTimedState(const std::string& name, const std::string& nextName, const Wait& wait,
                                      const TState::EnterHook& onEnter, const Step& step) {
  AddState(
      name, nextName,
      [this, step](TState&, int32_t) {
        if (step) step(Progress());
      },
      {}, [this](TState&) { return GetStateTime() >= wait_; },
      [this, onEnter, wait](TState& state) {
        if (onEnter) onEnter(state);
        wait_ = wait ? wait() : 0;
      });
}

void TMinigameScenario::AddInstantState(const std::string& name, const std::string& nextName,
                                        TState::EnterHook onEnter) {
  AddState(name, nextName, {}, {}, {}, std::move(onEnter));
}

double TMinigameScenario::Progress() const { return ProgressOver(1); }

double TMinigameScenario::ProgressOver(double divisor) const {
  const double wait = wait_ / divisor;
  if (wait <= 0) return 1;
  return std::min(static_cast<double>(GetStateTime()) / wait, 1.0);
}

void TMinigameScenario::DieThenReport() {
  SetDead(true);
  ParamsRef params = CreateParams();
  params->SetValue("scenario_to_finalize", Variant(GetName()));
  ReportToControl(kCommandFinalize, params);
}

WidgetRef TMinigameScenario::FindFromOwner(const std::string& path) {
  WidgetOwnerRef owner = GetOwner();
  return owner ? owner->FindWidget(path) : nullptr;
}

WidgetRef TMinigameScenario::FindOnScreen(const std::string& name) {
  WidgetRef control = GetControlGame();
  WidgetOwnerRef screen = control ? control->GetOwner() : nullptr;
  return screen ? screen->FindWidget(name) : nullptr;
}

void AnchorSlide::Step(double p) const {
  WidgetRef target = widget.lock();
  if (!target) return;
  const double value = from + p * (to - from);
  if (horizontal)
    target->SetAnchorLeft(value);
  else
    target->SetAnchorTop(value);
}

void TMinigameScenario::AddSlide(const WidgetRef& widget, bool horizontal, double to) {
  if (!widget) return;
  slides_.push_back({widget, horizontal, horizontal ? widget->GetAnchorLeft() : widget->GetAnchorTop(), to});
}

void TMinigameScenario::StepSlides(double p) const {
  for (const Slide& slide : slides_) slide.Step(p);
}

void TMinigameScenario::SlideFrameIn() {
  for (const char* name : {"button_menu", "button_skip"}) {
    WidgetRef button = FindOnScreen(name);
    AddSlide(button, true, RealProperty(button, "init_x"));
  }
  AddSlide(FindOnScreen("panel"), false, 0);
}

void TMinigameScenario::SlideButtonsOut() {
  if (WidgetRef menu = FindOnScreen("button_menu")) AddSlide(menu, true, -menu->GetWidth());
  AddSlide(FindOnScreen("button_skip"), true, 1024);
}

}  // namespace kestrelle
