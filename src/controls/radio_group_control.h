#pragma once
// "RadioGroupControl": a group of check boxes of which at most one is checked. It is the event
// handler of its children: a toggled child becomes the selection and the group reports event 9;
// every other event of a child passes on upwards unchanged.

#include <cstdint>

#include "controls/control_widget.h"

namespace kestrelle {

class TRadioGroupControl : public TControlWidget, public virtual IEventHandler {
 public:
  const TPropertyTable& GetPropertyTable() const override;
  // The first checked child becomes the selection, and the selection is applied.
  void SetOwner(const WidgetOwnerRef& owner) override;

  // IWidgetOwner (for the children) and IEventHandler
  EventHandlerRef GetEventHandler() override { return SelfAs<IEventHandler>(); }
  EngineRef GetEngine() override { return TControlWidget::GetEngine(); }
  void HandleWidgetEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;
  std::shared_ptr<IGameScreenOwner> GetGameOwner() override;

  int32_t GetItemIndex() const { return itemIndex_; }
  // Unchecks every child, then checks child `index` when there is one.
  void ApplySelection(int32_t index);

 private:
  EventHandlerRef OuterHandler();

  int32_t itemIndex_ = -1;
};

}  // namespace kestrelle
