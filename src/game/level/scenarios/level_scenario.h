#pragma once
// The common ground of the shop level's scenarios: states of a set length, widgets reached from
// the scenario group's side ("../shop_items" is the level control's item group), conversions
// between a widget's place and a particle system's own coordinates, and the report that tells the
// level control a scenario has done its work.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/state_scenario.h"

namespace kestrelle {

class TLevelScenario : public TControlStateScenario {
 public:
  void Initialize() override;
  // The held children stop until their state comes (a start delay or the first update would let
  // a particle system emit where nothing flies yet).
  void SetOwner(const WidgetOwnerRef& owner) override;

  // Command 11 to the level control with `params` (a new collection when none), "name" = this
  // scenario's name unless given, and "scenario_to_finalize" = `finalizeName`; then it dies.
  void Report(ParamsRef params, const std::string& finalizeName);

 protected:
  using Duration = std::function<int32_t()>;

  // A state that lasts `duration()` milliseconds from its entry; `onEnter` runs first, so the
  // length may depend on what it created.
  void AddTimedState(const std::string& name, const std::string& nextName, Duration duration,
                     TState::EnterHook onEnter = {}, TState::UpdateHook onUpdate = {});
  // The last state: `onEnter` runs, then the scenario dies (a report has already killed it).
  void AddExitState(TState::EnterHook onEnter = {});

  // A widget by a path read from the scenario's owner, so that ".." is the owner of the group the
  // scenario runs in.
  WidgetRef FindFromOwner(const std::string& path);
  // The level control's own child.
  WidgetRef FindInControl(const std::string& path);
  // The child of that name stays still (paused) from the scenario's start until Release.
  void HoldUntilReleased(const std::string& child) { held_.push_back(child); }
  // The held child runs; returns it (none when there is no such child).
  WidgetRef Release(const std::string& child);
  // One of the scenario's own sounds, with the sound's own volume.
  void PlayScenarioSound(const std::string& name);

  // The screen point of a point in the scenario's own children's space.
  TPoint ClientPointToScreen(double x, double y);
  // The milliseconds this scenario has been running in its current wait, never beyond `limit`.
  int32_t RunningTime(int32_t limit) const;

 private:
  std::vector<std::string> held_;
};

// The screen point of a point given in the widget's owner space.
TPoint OwnerPointToScreen(const WidgetRef& widget, double x, double y);
// The screen point of the widget's top-left corner.
TPoint WidgetScreenPosition(const WidgetRef& widget);
// A screen point in a particle system's coordinates (relative to its anchor).
TPoint ScreenToParticles(const WidgetRef& system, const TPoint& screen);
// Points the emitter of a particle system at a screen point.
void SetEmission(const WidgetRef& system, const TPoint& screen);

}  // namespace kestrelle
