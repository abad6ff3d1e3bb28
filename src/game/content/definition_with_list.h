#pragma once
// A definition that owns one child list, read from and written to the child element named like
// the list (a map's objects, a shop's objects, a dialogue's lines, a round's places).

#include <memory>

#include "data/hier_storage.h"
#include "game/content/definition.h"

namespace kestrelle {

template <class List>
class TDefinitionWithList : public TDefinition {
 public:
  void Initialize() override {
    TDefinition::Initialize();
    list_ = Create<List>();
  }
  void LoadProperties(const StorageRef& storage) override {
    TDefinition::LoadProperties(storage);
    LoadChildObject(list_, storage, list_->GetStorageName(), 0);
  }
  void SaveProperties(const StorageRef& storage) override {
    TDefinition::SaveProperties(storage);
    SaveChildObject(list_, storage, list_->GetStorageName());
  }

 protected:
  std::shared_ptr<List> list_;
};

}  // namespace kestrelle
