#include "widgets/widget_depth.h"

#include <string>

#include "data/file_system.h"

namespace kestrelle {

bool CanAttachWidget(const WidgetOwnerRef& owner, const WidgetRef& widget) {
  int depth = 0;
  // The chain ends at an owner that is no widget: the screen, the game, or none yet.
  for (WidgetRef above = std::dynamic_pointer_cast<IWidget>(owner); above;
       above = std::dynamic_pointer_cast<IWidget>(above->GetOwner())) {
    if (above == widget) {
      LogLine("Widget \"" + widget->GetName() + "\": not attached below itself");
      return false;
    }
    if (++depth >= kMaxWidgetTreeDepth) {
      LogLine("Widget \"" + widget->GetName() + "\": not attached below " + owner->GetPath() +
              ": the widget tree would nest deeper than " + std::to_string(kMaxWidgetTreeDepth) + " levels");
      return false;
    }
  }
  return true;
}

}  // namespace kestrelle
