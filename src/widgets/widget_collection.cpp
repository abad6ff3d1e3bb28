#include "widgets/widget_collection.h"

#include "data/file_system.h"
#include "widgets/widget_depth.h"

namespace kestrelle {

void TSimpleWidgetCollection::Initialize() {
  TTypedCreationPersistItemCollection::Initialize();
  storageName_ = "widgets";
  itemElementName_ = "widget";
}

void TSimpleWidgetCollection::AddItem(const InterfaceRef& item) {
  if (auto widget = std::dynamic_pointer_cast<IWidget>(item)) Add(widget);
}

bool TSimpleWidgetCollection::Insert(const WidgetRef& widget, int index) {
  const std::string name = widget->GetName();
  return items_.Add(widget, name, index, name.empty()) != nullptr;
}

bool TSimpleWidgetCollection::Add(const WidgetRef& widget) { return widget && Insert(widget, -1); }

bool TSimpleWidgetCollection::AddNamed(const WidgetRef& widget, const std::string& name) {
  return widget && items_.Add(widget, name, -1, name.empty()) != nullptr;
}

WidgetRef TSimpleWidgetCollection::WidgetAt(size_t index, const InterfaceRef& item) const {
  if (!item) return nullptr;
  if (index >= casts_.size()) casts_.resize(index + 1);
  Cast& cast = casts_[index];
  const bool same = cast.raw == item.get() && !cast.item.owner_before(item) && !item.owner_before(cast.item);
  if (!same) {
    cast.item = item;
    cast.raw = item.get();
    cast.widget = dynamic_cast<IWidget*>(item.get());
  }
  if (!cast.widget) return nullptr;
  return WidgetRef(item, cast.widget);
}

WidgetRef TSimpleWidgetCollection::GetByIndex(int index) {
  const InterfaceRef* item = items_.GetAt(index);
  return item ? WidgetAt(static_cast<size_t>(index), *item) : nullptr;
}

std::vector<WidgetRef> TSimpleWidgetCollection::Snapshot() const {
  std::vector<WidgetRef> widgets;
  widgets.reserve(static_cast<size_t>(items_.Count()));
  size_t index = 0;
  for (const auto& entry : items_)
    if (WidgetRef widget = WidgetAt(index++, entry.item)) widgets.push_back(std::move(widget));
  if (casts_.size() > items_.Entries().size()) casts_.resize(items_.Entries().size());
  return widgets;
}

void TWidgetCollection::Initialize() {
  TSimpleWidgetCollection::Initialize();
  sortedByZ_ = true;
  owner_.reset();
  hasOwner_ = false;
  changed_ = updating_ = modified_ = false;
}

bool TWidgetCollection::Add(const WidgetRef& widget) {
  if (!widget) return false;
  // A widget refused for its name is left as it was: no owner, nothing reported.
  const std::string name = widget->GetName();
  if (!name.empty() && items_.Exists(name)) return false;
  WidgetOwnerRef owner = GetOwner();
  if (!CanAttachWidget(owner, widget)) return false;
  modified_ = true;
  WidgetOwnerRef current = widget->GetOwner();
  if (current != owner) {
    if (current) widget->ClearOwner();
    widget->SetOwner(owner);
  }
  widget->UpdateDirtyRects(false, true);
  changed_ = true;
  int index = -1;
  if (sortedByZ_) {
    const int32_t z = widget->GetZ();
    index = 0;
    for (int i = items_.Count() - 1; i >= 0; --i) {
      WidgetRef other = GetByIndex(i);
      if (other && other->GetZ() <= z) {
        index = i + 1;
        break;
      }
    }
  }
  return Insert(widget, index);
}

void TWidgetCollection::Delete(const Variant& key) {
  WidgetRef widget = Get(key);
  if (!widget) return;
  modified_ = true;
  if (widget->GetOwner()) {
    widget->UpdateDirtyRects(true, false);
    changed_ = true;
    widget->ClearOwner();
  }
  // The entry may have moved while the widget was told.
  for (int i = 0; i < items_.Count(); ++i) {
    if (*items_.GetAt(i) == std::dynamic_pointer_cast<IInterface>(widget)) {
      items_.DeleteAt(i);
      break;
    }
  }
}

void TWidgetCollection::Clear() {
  for (int i = items_.Count() - 1; i >= 0; --i) {
    if (i >= items_.Count()) continue;
    Delete(Variant(i));
  }
}

void TWidgetCollection::SortByZ() {
  bool moved = true;
  while (moved) {
    moved = false;
    for (int i = 0; i + 1 < items_.Count(); ++i) {
      WidgetRef a = GetByIndex(i);
      WidgetRef b = GetByIndex(i + 1);
      if (a && b && b->GetZ() < a->GetZ()) {
        items_.Move(items_.KeyAt(i + 1), i);
        moved = true;
      }
    }
  }
}

void TWidgetCollection::UpdateAll(int32_t elapsedMs) {
  changed_ = false;
  updating_ = true;
  modified_ = true;
  try {
    while (modified_) {
      modified_ = false;
      for (int i = 0; i < items_.Count(); ++i) {
        WidgetRef widget = GetByIndex(i);  // kept alive across its update
        if (!widget || widget->GetPaused() || widget->GetDead() || widget->GetUpdated()) continue;
        widget->Update(elapsedMs);
      }
    }
  } catch (...) {
    updating_ = false;
    throw;
  }
  updating_ = false;
}

void TWidgetCollection::RemoveDead() {
  for (int i = items_.Count() - 1; i >= 0; --i) {
    if (i >= items_.Count()) continue;
    WidgetRef widget = GetByIndex(i);
    if (!widget || !widget->GetDead()) continue;
    widget->UpdateDirtyRects(true, false);
    widget->ClearOwner();
    for (int j = 0; j < items_.Count(); ++j) {
      if (*items_.GetAt(j) == std::dynamic_pointer_cast<IInterface>(widget)) {
        items_.DeleteAt(j);
        break;
      }
    }
    changed_ = true;
  }
}

void TWidgetCollection::SetPropertyAll(const std::string& name, const Variant& value) {
  for (const WidgetRef& widget : Snapshot()) widget->SetProperty(name, value);
}

void TWidgetCollection::UpdateDirtyRectsAll(bool forceOld, bool forceNew) {
  for (const WidgetRef& widget : Snapshot()) {
    widget->SetUpdated(false);
    if (!widget->GetVisible() && !widget->GetWasVisible()) continue;
    widget->UpdateDirtyRects(forceOld, forceNew);
    changed_ = changed_ || widget->GetReported();
  }
}

void TWidgetCollection::SetOwner(const WidgetOwnerRef& owner) {
  owner_ = owner;
  hasOwner_ = owner != nullptr;
  for (const WidgetRef& widget : Snapshot()) widget->SetOwner(owner);
}

void TWidgetCollection::ClearOwner() {
  owner_.reset();
  hasOwner_ = false;
  for (const WidgetRef& widget : Snapshot()) widget->ClearOwner();
}

}  // namespace kestrelle
