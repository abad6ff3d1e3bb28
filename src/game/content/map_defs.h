#pragma once
// Town maps ("map_defs"): a map names itself and lists the widget factories its objects are built
// from.

#include <string>

#include "game/content/definition.h"
#include "game/content/definition_list.h"

namespace kestrelle {

// One object of a map: "factory_name" is the widget factory the town map builds it from.
class TMapDefObject : public TDefinition {
 public:
  const TPropertyTable& GetPropertyTable() const override;
  const std::string& GetFactoryName() const { return factoryName_; }

 private:
  std::string factoryName_;
};

class TMapDefObjectCollection : public TDefinitionList<TMapDefObject> {
 public:
  void Initialize() override;
};
using IMapDefObjectCollection = IDefinitionList<TMapDefObject>;

class TMapDef : public TDefinition {
 public:
  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  const TPropertyTable& GetPropertyTable() const override;

  const std::string& GetMapName() const { return mapName_; }
  std::shared_ptr<TMapDefObjectCollection> GetObjects() const { return objects_; }

 private:
  std::string mapName_;
  std::shared_ptr<TMapDefObjectCollection> objects_;
};

class IMapDefCollection : public virtual IDefinitionList<TMapDef> {
 public:
  virtual std::shared_ptr<TMapDef> FindByName(const std::string& name) const = 0;
};

class TMapDefCollection : public TDefinitionList<TMapDef>, public virtual IMapDefCollection {
 public:
  void Initialize() override;
  std::shared_ptr<TMapDef> FindByName(const std::string& name) const override { return GetItemByName(name); }
};

}  // namespace kestrelle
