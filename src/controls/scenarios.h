#pragma once
// Scenarios: widgets that script something over time. "transparent_scenario" fades a target
// widget over its "timetolive"; "move_scenario" also moves it; "scenario" is a demonstration
// that scatters butterflies over the screen.

#include <cstdint>
#include <memory>

#include "widgets/group_widget.h"

namespace kestrelle {

class TScenario : public TVisualGroupWidget {};

class TTestScenario : public TScenario {
 public:
  void DoUpdate(int32_t elapsedMs) override;
};

class TTransparentScenario : public TScenario {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  Variant GetProperty(const std::string& name) override;
  void SetProperty(const std::string& name, const Variant& value) override;
  void ClearOwner() override;
  void DoUpdate(int32_t elapsedMs) override;

  // A new target: the previous one is detached from its owner; the new one's level is kept to be
  // restored at the end and set at once to the level of the current time.
  void SetTarget(const WidgetRef& target);
  WidgetRef GetTarget() const { return target_; }
  // The target gets its level back, is hidden with "makeinvisible", and is let go.
  virtual void Finish();

 protected:
  // The level of time t of a fade of length `duration` (> 0).
  int32_t LevelAt(int64_t t, int64_t duration) const;

  int32_t startLevel_ = 255;
  int32_t endLevel_ = 255;
  int32_t savedLevel_ = 255;
  WidgetRef target_;
  bool makeInvisible_ = false;
};

class TMoveScenario : public TTransparentScenario {
 public:
  const TPropertyTable& GetPropertyTable() const override;
  void DoUpdate(int32_t elapsedMs) override;
  // The target lands on the end position, then the fade's finish.
  void Finish() override;

 protected:
  void MoveStep(int64_t t, int64_t duration);

  int32_t startX_ = 0;
  int32_t startY_ = 0;
  int32_t endX_ = 0;
  int32_t endY_ = 0;
};

}  // namespace kestrelle
