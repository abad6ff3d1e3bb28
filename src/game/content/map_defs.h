#pragma once
// Town maps ("map_defs"): a map names itself and lists the widget factories its objects are built
// from.

#include <string>

#include "game/content/definition.h"
#include "game/content/definition_list.h"
#include "game/content/definition_with_list.h"

namespace kestrelle {

// One object of a map: "factory_name" is the widget factory the town map builds it from.
class TMapDefObject : public TDefinition {
 public:
  const TPropertyTable& GetPropertyTable() const override;
  const std::string& GetFactoryName() const { return factoryName_; }

 private:
  std::string factoryName_;
};

class TMapDefObjectCollection : public TDefinitionList<TMapDefObject, "map_objects", "map_object"> {};
using IMapDefObjectCollection = IDefinitionList<TMapDefObject>;

class TMapDef : public TDefinitionWithList<TMapDefObjectCollection> {
 public:
  const TPropertyTable& GetPropertyTable() const override;

  const std::string& GetMapName() const { return mapName_; }
  std::shared_ptr<TMapDefObjectCollection> GetObjects() const { return list_; }

 private:
  std::string mapName_;
};

class IMapDefCollection : public virtual IDefinitionList<TMapDef> {
 public:
  virtual std::shared_ptr<TMapDef> FindByName(const std::string& name) const = 0;
};

class TMapDefCollection : public TDefinitionList<TMapDef, "map_defs", "map_def">, public virtual IMapDefCollection {
 public:
  std::shared_ptr<TMapDef> FindByName(const std::string& name) const override { return GetItemByName(name); }
};

}  // namespace kestrelle
