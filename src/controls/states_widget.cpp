#include "controls/states_widget.h"

#include "data/text_encoding.h"

namespace kestrelle {

const TPropertyTable& TStatesWdiget::GetPropertyTable() const {
  static const TPropertyTable table(
      TVisualGroupWidget::GetPropertyTable(),
      {
          Property("state", &TStatesWdiget::state_, int32_t{-1}).SavedIfNotDefault().SetWith(&TStatesWdiget::SetState),
      });
  return table;
}

void TStatesWdiget::LoadProperties(const StorageRef& storage) {
  TVisualGroupWidget::LoadProperties(storage);
  const int count = widgets_->GetCount();
  for (int i = 0; i < count; ++i)
    if (WidgetRef child = ChildAt(i)) child->SetVisible(i == state_);
}

Variant TStatesWdiget::GetProperty(const std::string& name) {
  Variant value = TVisualGroupWidget::GetProperty(name);
  if (EqualsIgnoreAsciiCase(name, "states_count")) return Variant(widgets_->GetCount());
  return value;
}

WidgetRef TStatesWdiget::ChildAt(int32_t index) {
  if (index < 0 || index >= widgets_->GetCount()) return nullptr;
  return widgets_->Get(Variant(index));
}

void TStatesWdiget::SetState(int32_t state) {
  if (state == state_) return;
  if (WidgetRef shown = ChildAt(state_)) shown->SetVisible(false);
  state_ = state;
  if (WidgetRef next = ChildAt(state_)) {
    next->SetVisible(true);
    next->Restart();
  }
}

}  // namespace kestrelle
