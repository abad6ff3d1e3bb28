#pragma once
// How deep a widget tree may grow. Updating, drawing, the dirty pass, hit tests and the walks up
// the owner chain all go down or up the tree one call per level, so its depth is bounded where a
// widget gets its place: a widget is not attached below an owner chain already this long (nor
// below itself). Trees loaded from data are bounded by the load nesting limit before that.

#include "app/widget_interfaces.h"
#include "data/load_nesting.h"

namespace kestrelle {

// One widget level is two nested loads (the widget and its "widgets"), so loaded trees stay below.
inline constexpr int kMaxWidgetTreeDepth = kMaxLoadNesting / 2;

// True when `widget` may become a child below `owner`; otherwise false, after a developer log line.
bool CanAttachWidget(const WidgetOwnerRef& owner, const WidgetRef& widget);

}  // namespace kestrelle
