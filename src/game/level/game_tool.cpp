#include "game/level/game_tool.h"

#include "data/property_table.h"
#include "game/level/tool_slots.h"

namespace kestrelle {

namespace {

constexpr std::string_view kQuantityLabelPrefix = "quantity";

}  // namespace

const TPropertyTable& TKestrelleGameTool::GetPropertyTable() const {
  using T = TKestrelleGameTool;
  static const TPropertyTable table(
      TVisualGroupWidget::GetPropertyTable(),
      {
          Property("type", &T::type_).SetWith(&T::SetType),
          Property("quantity", &T::quantity_).SetWith(&T::SetQuantity),
          Property("resourcename", &T::resourceName_).SavedIfNotDefault().SetWith(&T::SetResourceName),
          Property("disabled", &T::disabledResourceName_).SavedIfNotDefault().SetWith(&T::SetDisabledResourceName),
          Property("highlight", &T::highlight_).NotStored().SetWith(&T::SetHighlight),
      });
  return table;
}

void TKestrelleGameTool::Initialize() {
  TVisualGroupWidget::Initialize();
  highlight_ = false;
}

void TKestrelleGameTool::SetOwner(const WidgetOwnerRef& owner) {
  TVisualGroupWidget::SetOwner(owner);
  // What the data loaded straight into the members shows once the children are there.
  if (!resourceName_.empty()) SetResourceName(resourceName_);
  if (!disabledResourceName_.empty()) SetDisabledResourceName(disabledResourceName_);
  ShowType();
  ShowQuantity();
  ShowHighlight();
}

bool TKestrelleGameTool::IsLocked() const { return type_ == kLockedToolType; }

void TKestrelleGameTool::ShowChild(const std::string& name, bool show) {
  if (WidgetRef child = widgets_ ? widgets_->GetByName(name) : nullptr) child->Show(show);
}

void TKestrelleGameTool::SetType(const std::string& type) {
  type_ = type;
  ShowType();
}

void TKestrelleGameTool::ShowType() { ShowChild("locked", IsLocked()); }

void TKestrelleGameTool::SetQuantity(int64_t quantity) {
  quantity_ = quantity;
  ShowQuantity();
}

void TKestrelleGameTool::ShowQuantity() {
  ShowChild("normal", quantity_ > 0);
  ShowChild("disabled", quantity_ <= 0);
  if (!widgets_) return;
  const Variant text(std::to_string(quantity_));
  for (const WidgetRef& child : widgets_->Snapshot()) {
    if (child->GetName().starts_with(kQuantityLabelPrefix)) child->SetProperty("text", text);
  }
  Invalidate();
}

void TKestrelleGameTool::PassResource(const std::string& child, const std::string& resource) {
  if (WidgetRef widget = widgets_ ? widgets_->GetByName(child) : nullptr)
    widget->SetProperty("resourcename", Variant(resource));
}

void TKestrelleGameTool::SetResourceName(const std::string& name) {
  resourceName_ = name;
  PassResource("normal", name);
  PassResource("selected", name);
}

void TKestrelleGameTool::SetDisabledResourceName(const std::string& name) {
  disabledResourceName_ = name;
  PassResource("disabled", name);
}

void TKestrelleGameTool::SetHighlight(bool highlight) {
  highlight_ = highlight;
  ShowHighlight();
}

void TKestrelleGameTool::ShowHighlight() { ShowChild("selected", highlight_); }

}  // namespace kestrelle
