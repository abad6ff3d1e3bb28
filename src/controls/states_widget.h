#pragma once
// "states_widget": a group that shows exactly one of its children, the one at the index its
// "state" names (-1: none). Changing the state hides the shown child and shows and restarts the
// new one.

#include <cstdint>

#include "widgets/group_widget.h"

namespace kestrelle {

class TStatesWdiget : public TVisualGroupWidget {
 public:
  void LoadProperties(const StorageRef& storage) override;
  Variant GetProperty(const std::string& name) override;
  const TPropertyTable& GetPropertyTable() const override;

  int32_t GetState() const { return state_; }
  void SetState(int32_t state);

 private:
  WidgetRef ChildAt(int32_t index);

  int32_t state_ = -1;
};

}  // namespace kestrelle
