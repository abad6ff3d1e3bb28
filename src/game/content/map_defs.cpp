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

const TPropertyTable& TMapDef::GetPropertyTable() const {
  static const TPropertyTable table(TDefinitionWithList::GetPropertyTable(),
                                    {
                                        Property("map_name", &TMapDef::mapName_),
                                    });
  return table;
}

}  // namespace kestrelle
