#pragma once
// The children of a group widget as a list taken now (safe against changes while it is walked),
// and emptying a group.

#include <vector>

#include "app/widget_interfaces.h"

namespace kestrelle {

inline std::vector<WidgetRef> ChildrenOf(const WidgetRef& group) {
  std::vector<WidgetRef> children;
  WidgetCollectionRef collection = group ? group->GetWidgets() : nullptr;
  if (!collection) return children;
  const int count = collection->GetCount();
  children.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i)
    if (WidgetRef child = collection->GetByIndex(i)) children.push_back(child);
  return children;
}

inline void EmptyGroup(const WidgetRef& group) {
  if (WidgetCollectionRef collection = group ? group->GetWidgets() : nullptr) collection->Clear();
}

}  // namespace kestrelle
