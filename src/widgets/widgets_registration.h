#pragma once

namespace kestrelle {

// "group_widget", "surface_widget", "linked_surface_widget", "replicator_widget", "rect_widget",
// "WidgetFactory".
void RegisterWidgetsClasses();

}  // namespace kestrelle
