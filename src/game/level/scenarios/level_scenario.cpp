#include "game/level/scenarios/level_scenario.h"

#include <algorithm>

#include "data/numbers.h"
#include "game/level/level_codes.h"

namespace kestrelle {

void TLevelScenario::Initialize() {
  TControlStateScenario::Initialize();
  held_.clear();
}

void TLevelScenario::SetOwner(const WidgetOwnerRef& owner) {
  TControlStateScenario::SetOwner(owner);
  for (const std::string& name : held_)
    if (WidgetRef child = FindWidget(name)) child->SetPaused(true);
}

WidgetRef TLevelScenario::Release(const std::string& child) {
  WidgetRef widget = FindWidget(child);
  if (widget) widget->SetPaused(false);
  return widget;
}

void TLevelScenario::Report(ParamsRef params, const std::string& finalizeName) {
  if (!params) params = CreateParams();
  if (!params->GetParam(Variant(std::string("name")))) params->SetValue("name", Variant(GetName()));
  params->SetValue("scenario_to_finalize", Variant(finalizeName));
  ReportToControl(level_codes::kScenarioFinished, params);
  SetDead(true);
}

void TLevelScenario::AddTimedState(const std::string& name, const std::string& nextName, Duration duration,
                                   TState::EnterHook onEnter, TState::UpdateHook onUpdate) {
  AddState(name, nextName, std::move(onUpdate), {}, WaitIsOver(),
           [this, duration = std::move(duration), onEnter = std::move(onEnter)](TState& state) {
             if (onEnter) onEnter(state);
             StartWait(duration ? std::max(duration(), 0) : 0);
           });
}

void TLevelScenario::AddExitState(TState::EnterHook onEnter) {
  AddState("exit", "", {}, {}, {}, [this, onEnter = std::move(onEnter)](TState& state) {
    if (onEnter) onEnter(state);
    SetDead(true);
  });
}

WidgetRef TLevelScenario::FindFromOwner(const std::string& path) {
  WidgetOwnerRef owner = GetOwner();
  return owner ? owner->FindWidget(path) : nullptr;
}

WidgetRef TLevelScenario::FindInControl(const std::string& path) {
  WidgetRef control = GetControlGame();
  return control ? control->FindWidget(path) : nullptr;
}

void TLevelScenario::PlayScenarioSound(const std::string& name) { PlaySound(name, false, 0, 0); }

TPoint TLevelScenario::ClientPointToScreen(double x, double y) {
  const TPoint origin = ScreenToClient(TPoint{0, 0});
  return TPoint{Round32(x) - origin.x, Round32(y) - origin.y};
}

int32_t TLevelScenario::RunningTime(int32_t limit) const { return std::clamp(GetCurrentTime(), 0, std::max(limit, 0)); }

// ---------------------------------------------------------------------------------------------

TPoint OwnerPointToScreen(const WidgetRef& widget, double x, double y) {
  const TPoint origin = widget ? widget->ScreenToOwner(TPoint{0, 0}) : TPoint{};
  return TPoint{Round32(x) - origin.x, Round32(y) - origin.y};
}

TPoint WidgetScreenPosition(const WidgetRef& widget) {
  if (!widget) return TPoint{};
  return OwnerPointToScreen(widget, widget->GetLeft(), widget->GetTop());
}

TPoint ScreenToParticles(const WidgetRef& system, const TPoint& screen) {
  if (!system) return screen;
  const TPoint p = system->ScreenToOwner(screen);
  return TPoint{p.x - Round32(system->GetAnchorLeft()), p.y - Round32(system->GetAnchorTop())};
}

void SetEmission(const WidgetRef& system, const TPoint& screen) {
  if (!system) return;
  const TPoint p = ScreenToParticles(system, screen);
  system->SetProperty("emission_x", Variant(p.x));
  system->SetProperty("emission_y", Variant(p.y));
}

}  // namespace kestrelle
