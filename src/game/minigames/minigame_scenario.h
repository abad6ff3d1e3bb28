#pragma once
// The common ground of the minigames' state scenarios: timed states whose progress p runs from 0
// to 1 over a wait, widgets reached from the scenario group's side ("../elements" is the control's
// piece group) or through the control's screen, and the slides of the frame's buttons and panel.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/state_scenario.h"

namespace kestrelle {

// An anchor (left or top) of a widget moving linearly from where it was when recorded.
struct AnchorSlide {
  std::weak_ptr<IWidget> widget;
  bool horizontal = true;
  double from = 0;
  double to = 0;
  void Step(double p) const;
};

class TMinigameScenario : public TControlStateScenario {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;

 protected:
  using Wait = std::function<int32_t()>;
  using Step = std::function<void(double p)>;

  // A state that lasts wait() milliseconds from its entry (read after `onEnter`); every update
  // runs `step` with the progress, the last one with p = 1.
  void AddTimedState(const std::string& name, const std::string& nextName, const Wait& wait,
                     const TState::EnterHook& onEnter = {}, const Step& step = {});
  // A state that goes on at once after `onEnter`.
  void AddInstantState(const std::string& name, const std::string& nextName, TState::EnterHook onEnter = {});
  // p of the current timed state: min(time / wait, 1); 1 without a wait.
  double Progress() const;
  // p over a part of the wait (the wait divided by `divisor`).
  double ProgressOver(double divisor) const;

  // The scenario dies, then reports its own name: a control that starts another scenario of the
  // same name at once finds it gone already.
  void DieThenReport();

  // A widget by a path read from the scenario group, so that ".." is the control.
  WidgetRef FindFromOwner(const std::string& path);
  // A widget of the control's screen.
  WidgetRef FindOnScreen(const std::string& name);

  using Slide = AnchorSlide;
  void AddSlide(const WidgetRef& widget, bool horizontal, double to);
  void StepSlides(double p) const;
  // "button_menu" and "button_skip" to their own "init_x", "panel" to the top.
  void SlideFrameIn();
  // "button_menu" out to the left, "button_skip" out to the right (1024); the panel is left to
  // the caller (several scenarios move it their own way).
  void SlideButtonsOut();

  int32_t duration_ = 1000;
  int32_t pauseDuration_ = 0;
  int32_t finalDuration_ = 0;

 private:
  int32_t wait_ = 0;
  std::vector<Slide> slides_;
};

// A widget's own real property (0 when it has none).
double RealProperty(const WidgetRef& widget, const std::string& name);

}  // namespace kestrelle
