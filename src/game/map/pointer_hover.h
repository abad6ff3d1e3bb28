#pragma once
// What the actions screens and the room ask of the mouse pointer between mouse messages: which
// child of a group lies under it now, and whether that changed since the last frame.

#include <functional>
#include <memory>

#include "app/engine_interface.h"
#include "app/widget_interfaces.h"

namespace kestrelle {

// The visible child of `group` under the pointer now, the last one in the group's order winning
// where children overlap; `candidate` (when given) limits the children looked at. None between
// the children, without an engine or without a group.
WidgetRef ChildUnderPointer(const EngineRef& engine, const WidgetRef& group,
                            const std::function<bool(const WidgetRef&)>& candidate = {});

// The widget under the pointer at the last frame.
class THoverTracker {
 public:
  // True when `now` differs from the widget of the last call (which it then becomes).
  bool Moved(const WidgetRef& now) {
    if (now == hovered_.lock()) return false;
    hovered_ = now;
    return true;
  }
  void Reset() { hovered_.reset(); }

 private:
  std::weak_ptr<IWidget> hovered_;
};

}  // namespace kestrelle
