#include "controls/radio_group_control.h"

#include "controls/control_values.h"
#include "data/variant_values.h"

namespace kestrelle {

const TPropertyTable& TRadioGroupControl::GetPropertyTable() const {
  static const TPropertyTable table(TControlWidget::GetPropertyTable(),
                                    {
                                        Property("RadioGroupItemIndex", &TRadioGroupControl::itemIndex_, -1)
                                            .NotStored()
                                            .SetWith(&TRadioGroupControl::ApplySelection),
                                    });
  return table;
}

void TRadioGroupControl::SetOwner(const WidgetOwnerRef& owner) {
  TControlWidget::SetOwner(owner);
  int32_t first = -1;
  const auto children = widgets_->Snapshot();
  for (size_t i = 0; i < children.size(); ++i) {
    bool checked = false;
    if (VariantToBool(children[i]->GetProperty("CheckBoxState"), checked) && checked) {
      first = static_cast<int32_t>(i);
      break;
    }
  }
  ApplySelection(first);
}

void TRadioGroupControl::ApplySelection(int32_t index) {
  itemIndex_ = index;
  const auto children = widgets_->Snapshot();
  for (const WidgetRef& child : children) child->SetProperty("CheckBoxState", Variant(false));
  if (index >= 0 && index < static_cast<int32_t>(children.size()))
    children[static_cast<size_t>(index)]->SetProperty("CheckBoxState", Variant(true));
}

EventHandlerRef TRadioGroupControl::OuterHandler() {
  WidgetOwnerRef owner = TControlWidget::GetOwner();
  return owner ? owner->GetEventHandler() : nullptr;
}

void TRadioGroupControl::HandleWidgetEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  if (code == kEventCheckBoxToggled && sender) {
    int32_t index = widgets_->IndexOf(sender->GetName());
    if (index >= 0) {
      ApplySelection(index);
      SendEvent(kEventRadioGroupChanged);
      return;
    }
  }
  if (EventHandlerRef outer = OuterHandler()) outer->HandleWidgetEvent(sender, code, params);
}

std::shared_ptr<IGameScreenOwner> TRadioGroupControl::GetGameOwner() {
  EventHandlerRef outer = OuterHandler();
  return outer ? outer->GetGameOwner() : nullptr;
}

}  // namespace kestrelle
