#pragma once
// "SequenceControl": shows its children one at a time, stepping on after "step_duration_time"
// ms or at a mouse press; stepping past the last child reports event 10 (the last stays shown).

#include <cstdint>

#include "controls/control_widget.h"

namespace kestrelle {

class TSequenceControl : public TControlWidget {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  // Every child starts hidden and paused.
  void LoadProperties(const StorageRef& storage) override;
  Variant GetProperty(const std::string& name) override;
  void DoUpdate(int32_t elapsedMs) override;
  bool MouseDown(const TPoint& point, uint32_t keys, int32_t button) override;

  int32_t GetCurrent() const { return current_; }
  void StepTo(int32_t index);

 private:
  // The child's image can be shown: it names no resource, or one whose file exists.
  bool ChildSourceAvailable(const WidgetRef& child);

  int32_t stepDuration_ = 0;
  int32_t current_ = -1;
};

}  // namespace kestrelle
