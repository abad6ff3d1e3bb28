#include "game/content/map_defs.h"

#include "data/hier_storage.h"

namespace kestrelle {

const TPropertyTable& TMapDefObject::GetPropertyTable() const {
  static const TPropertyTable table(TDefinition::GetPropertyTable(),
                                    {
                                        Property("factory_name", &TMapDefObject::factoryName_),
                                    });
  return table;
}

void TMapDefObjectCollection::Initialize() {
  TDefinitionList::Initialize();
  SetElementNames("map_objects", "map_object");
}

const TPropertyTable& TMapDef::GetPropertyTable() const {
  static const TPropertyTable table(TDefinition::GetPropertyTable(), {
                                                                         Property("map_name", &TMapDef::mapName_),
                                                                     });
  return table;
}

void TMapDef::Initialize() {
  TDefinition::Initialize();
  objects_ = Create<TMapDefObjectCollection>();
}

void TMapDef::LoadProperties(const StorageRef& storage) {
  TDefinition::LoadProperties(storage);
  LoadChildObject(objects_, storage, "map_objects", 0);
}

void TMapDef::SaveProperties(const StorageRef& storage) {
  TDefinition::SaveProperties(storage);
  SaveChildObject(objects_, storage, "map_objects");
}

void TMapDefCollection::Initialize() {
  TDefinitionList::Initialize();
  SetElementNames("map_defs", "map_def");
}

}  // namespace kestrelle
