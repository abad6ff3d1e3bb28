#pragma once
// Small helpers the map's screens and control share for the widgets of their windows.

#include <string>
#include <vector>

#include "app/widget_interfaces.h"
#include "data/params.h"

namespace kestrelle {

// The children of a group in order; none for a widget without children.
std::vector<WidgetRef> ChildrenOf(const WidgetRef& group);
// Removes every child of the group; nothing for a widget without children.
void ClearGroup(const WidgetRef& group);
// A widget from the factory of that name, looked up from `creator` (a group, usually a screen's
// root) and up its owners, added to `group`; none when nothing was made or added.
WidgetRef CreateInto(const WidgetRef& creator, const WidgetRef& group, const std::string& factoryName,
                     const ParamsRef& params);
// A new collection with the given text values.
ParamsRef TextParams(std::initializer_list<std::pair<const char*, std::string>> values);

}  // namespace kestrelle
