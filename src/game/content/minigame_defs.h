#pragma once
// Minigames ("minigame_defs"): each definition names a minigame and carries the lists its game
// reads.

#include <memory>
#include <string>

#include "game/content/definition.h"
#include "game/content/definition_list.h"
#include "game/content/minigame_def_items.h"

namespace kestrelle {

class TMinigameDef : public TDefinition {
 public:
  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  // "name" is answered too: it is the attribute that names the definition.
  Variant GetProperty(const std::string& name) override;

  std::shared_ptr<TMinigameDefDiffCollection> GetDiffs() const { return diffs_; }
  std::shared_ptr<TMinigameDefRestoreCollection> GetRestores() const { return restores_; }
  std::shared_ptr<TMinigameDefLeafCollection> GetLeafs() const { return leafs_; }
  std::shared_ptr<TMinigameDefPathCollection> GetPaths() const { return paths_; }
  std::shared_ptr<TMinigameDefSatchelCollection> GetSatchels() const { return satchels_; }
  std::shared_ptr<TMinigameDefElementCollection> GetElements() const { return elements_; }
  std::shared_ptr<TMinigameDefRoundCollection> GetRounds() const { return rounds_; }
  std::shared_ptr<TPlaceDefCollection> GetPlaces() const { return places_; }
  std::shared_ptr<TObjectDefCollection> GetObjects() const { return objects_; }

 private:
  // The child lists in loading order, each with its element name.
  template <class Visit>
  void ForEachList(Visit visit);

  std::shared_ptr<TMinigameDefDiffCollection> diffs_;
  std::shared_ptr<TMinigameDefRestoreCollection> restores_;
  std::shared_ptr<TMinigameDefLeafCollection> leafs_;
  std::shared_ptr<TMinigameDefPathCollection> paths_;
  std::shared_ptr<TMinigameDefSatchelCollection> satchels_;
  std::shared_ptr<TMinigameDefElementCollection> elements_;
  std::shared_ptr<TMinigameDefRoundCollection> rounds_;
  std::shared_ptr<TPlaceDefCollection> places_;
  std::shared_ptr<TObjectDefCollection> objects_;
};

class IMinigameDefCollection : public virtual IDefinitionList<TMinigameDef> {
 public:
  virtual std::shared_ptr<TMinigameDef> FindByName(const std::string& name) const = 0;
};

class TMinigameDefCollection : public TDefinitionList<TMinigameDef, "minigame_defs", "minigame_def">,
                               public virtual IMinigameDefCollection {
 public:
  std::shared_ptr<TMinigameDef> FindByName(const std::string& name) const override { return GetItemByName(name); }
};

}  // namespace kestrelle
