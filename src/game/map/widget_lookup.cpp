#include "game/map/widget_lookup.h"

#include "controls/control_widget.h"

namespace kestrelle {

std::vector<WidgetRef> ChildrenOf(const WidgetRef& group) {
  std::vector<WidgetRef> children;
  WidgetCollectionRef widgets = group ? group->GetWidgets() : nullptr;
  if (!widgets) return children;
  for (int i = 0; i < widgets->GetCount(); ++i)
    if (WidgetRef child = widgets->GetByIndex(i)) children.push_back(child);
  return children;
}

void ClearGroup(const WidgetRef& group) {
  if (WidgetCollectionRef widgets = group ? group->GetWidgets() : nullptr) widgets->Clear();
}

WidgetRef CreateInto(const WidgetRef& creator, const WidgetRef& group, const std::string& factoryName,
                     const ParamsRef& params) {
  auto owner = std::dynamic_pointer_cast<IWidgetOwner>(creator);
  if (!owner || !group) return nullptr;
  return CreateWidgetInto(*owner, group, factoryName, params);
}

ParamsRef TextParams(std::initializer_list<std::pair<const char*, std::string>> values) {
  ParamsRef params = CreateParams();
  for (const auto& [name, value] : values) params->SetValue(name, Variant(value));
  return params;
}

}  // namespace kestrelle
