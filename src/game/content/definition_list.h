#pragma once
// The collections of the shop content: items of one fixed class read from a list element, kept
// in document order and given by index or by name. An item without a name gets a generated key;
// a second item under a name already taken is dropped.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>

#include "data/object.h"

namespace kestrelle {

template <class Item>
class IDefinitionList : public virtual ICollection {
 public:
  virtual std::shared_ptr<Item> GetItem(int index) const = 0;
  virtual std::shared_ptr<Item> GetItemByName(const std::string& name) const = 0;
};

// An element name given as a template argument.
template <size_t N>
struct ElementName {
  constexpr ElementName(const char (&text)[N]) { std::copy_n(text, N, chars); }  // NOLINT(google-explicit-constructor)
  char chars[N];
};

template <class Item, ElementName ListElement, ElementName ItemElement>
class TDefinitionList : public TStaticCreationPersistItemCollection, public virtual IDefinitionList<Item> {
 public:
  void Initialize() override {
    TStaticCreationPersistItemCollection::Initialize();
    storageName_ = ListElement.chars;
    itemElementName_ = ItemElement.chars;
    itemClass_ = &MakeObject<Item>;
  }
  std::shared_ptr<Item> GetItem(int index) const override { return ItemAs<Item>(Variant(index)); }
  std::shared_ptr<Item> GetItemByName(const std::string& name) const override { return ItemAs<Item>(Variant(name)); }

  void AddItem(const InterfaceRef& item) override {
    auto definition = std::dynamic_pointer_cast<Item>(item);
    if (!definition) return;
    const std::string name = definition->GetName();
    items_.Add(item, name, -1, name.empty());
  }

  // The first item (in document order) whose property `name` has a value that reads as `value`;
  // none otherwise.
  std::shared_ptr<Item> FindByProperty(const std::string& name, const std::string& value) const {
    for (const auto& entry : items_) {
      auto definition = std::dynamic_pointer_cast<Item>(entry.item);
      if (!definition) continue;
      const Variant property = definition->GetProperty(name);
      if (!property.IsEmptyOrNull() && property.ToString() == value) return definition;
    }
    return nullptr;
  }
};

}  // namespace kestrelle
