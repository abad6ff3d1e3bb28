#include "game/map/pointer_hover.h"

namespace kestrelle {

WidgetRef ChildUnderPointer(const EngineRef& engine, const WidgetRef& group,
                            const std::function<bool(const WidgetRef&)>& candidate) {
  WidgetCollectionRef children = group ? group->GetWidgets() : nullptr;
  if (!engine || !children) return nullptr;
  const TPoint pointer = engine->GetCursorPos();
  for (int i = children->GetCount() - 1; i >= 0; --i) {
    WidgetRef child = children->GetByIndex(i);
    if (!child || (candidate && !candidate(child))) continue;
    if (child->ContainsPoint(child->ScreenToOwner(pointer), false)) return child;
  }
  return nullptr;
}

}  // namespace kestrelle
