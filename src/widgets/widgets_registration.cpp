#include "widgets/widgets_registration.h"

#include "data/class_registry.h"
#include "widgets/decorate_widget.h"
#include "widgets/group_widget.h"
#include "widgets/rect_widget.h"
#include "widgets/surface_widget.h"
#include "widgets/widget_factory.h"

namespace kestrelle {

void RegisterWidgetsClasses() {
  RegisterObjectClass<TVisualGroupWidget>("group_widget");
  RegisterObjectClass<TSurfaceWidget>("surface_widget");
  RegisterObjectClass<TLinkedSurfaceWidget>("linked_surface_widget");
  RegisterObjectClass<TReplicatorWidget>("replicator_widget");
  RegisterObjectClass<TRectWidget>("rect_widget");
  RegisterObjectClass<TWidgetFactory>("WidgetFactory");
}

}  // namespace kestrelle
