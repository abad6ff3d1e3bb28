#pragma once
// The children of a group. TSimpleWidgetCollection: widgets by index or name ("widgets" of
// "widget" elements, each created from its registered "type"). TWidgetCollection adds ownership
// (every child gets the collection's owner), z order, and the per-frame passes: update with
// sweeps that survive changes made during the pass, removal of the dead, the dirty pass.

#include <memory>
#include <string>
#include <vector>

#include "app/widget_interfaces.h"
#include "data/object.h"

namespace kestrelle {

class TSimpleWidgetCollection : public TTypedCreationPersistItemCollection, public virtual ISimpleWidgetCollection {
 public:
  void Initialize() override;
  // Unknown types create nothing; items that are not widgets are dropped.
  void AddItem(const InterfaceRef& item) override;

  WidgetRef Get(const Variant& key) override { return ItemAs<IWidget>(key); }
  WidgetRef GetByIndex(int index) override;
  WidgetRef GetByName(const std::string& name) override { return ItemAs<IWidget>(Variant(name)); }
  bool Add(const WidgetRef& widget) override;
  bool AddNamed(const WidgetRef& widget, const std::string& name) override;

  // The children as they are now (callers iterate over this copy: a call may change the list).
  std::vector<WidgetRef> Snapshot() const;

 protected:
  // Adds under the widget's name at `index` (-1 appends); a widget without a name gets a key of
  // its own, so any number of unnamed widgets fit. False when the name is taken.
  bool Insert(const WidgetRef& widget, int index);

 private:
  // The widget of the entry at `index`, holding `item`. The per-frame passes ask for every child
  // several times a frame, and the cast through the virtual bases is dear, so each place keeps
  // the cast it last made with the object it made it for; the weak reference keeps that object's
  // control block, so no other object can look the same while the cast is kept.
  WidgetRef WidgetAt(size_t index, const InterfaceRef& item) const;
  struct Cast {
    std::weak_ptr<IInterface> item;
    const IInterface* raw = nullptr;
    IWidget* widget = nullptr;
  };
  mutable std::vector<Cast> casts_;
};

class TWidgetCollection : public TSimpleWidgetCollection, public virtual IWidgetCollection {
 public:
  void Initialize() override;

  bool Add(const WidgetRef& widget) override;
  void Delete(const Variant& key) override;
  void Clear() override;

  bool GetSortedByZ() override { return sortedByZ_; }
  void SetSortedByZ(bool sorted) override { sortedByZ_ = sorted; }
  void SortByZ() override;
  void UpdateAll(int32_t elapsedMs) override;
  void RemoveDead() override;
  void SetPropertyAll(const std::string& name, const Variant& value) override;
  void UpdateDirtyRectsAll(bool forceOld, bool forceNew) override;
  void SetOwner(const WidgetOwnerRef& owner) override;
  void ClearOwner() override;
  WidgetOwnerRef GetOwner() override { return owner_.lock(); }
  bool GetChanged() override { return changed_; }
  void SetChanged(bool changed) { changed_ = changed; }
  bool IsUpdating() const { return updating_; }

 private:
  bool sortedByZ_ = true;
  std::weak_ptr<IWidgetOwner> owner_;
  bool hasOwner_ = false;
  bool changed_ = false;
  bool updating_ = false;
  bool modified_ = false;
};

}  // namespace kestrelle
