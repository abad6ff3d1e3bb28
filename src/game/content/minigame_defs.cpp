#include "game/content/minigame_defs.h"

#include "data/hier_storage.h"

namespace kestrelle {

void TMinigameDef::Initialize() {
  TDefinition::Initialize();
  diffs_ = Create<TMinigameDefDiffCollection>();
  restores_ = Create<TMinigameDefRestoreCollection>();
  leafs_ = Create<TMinigameDefLeafCollection>();
  paths_ = Create<TMinigameDefPathCollection>();
  satchels_ = Create<TMinigameDefSatchelCollection>();
  elements_ = Create<TMinigameDefElementCollection>();
  rounds_ = Create<TMinigameDefRoundCollection>();
  places_ = Create<TPlaceDefCollection>();
  objects_ = Create<TObjectDefCollection>();
}

template <class Visit>
void TMinigameDef::ForEachList(Visit visit) {
  visit(diffs_, "diffs");
  visit(restores_, "restores");
  visit(leafs_, "leafs");
  visit(paths_, "paths");
  visit(satchels_, "satchels");
  visit(elements_, "elements");
  visit(rounds_, "rounds");
  visit(objects_, "objects");
  visit(places_, "places");
}

void TMinigameDef::LoadProperties(const StorageRef& storage) {
  TDefinition::LoadProperties(storage);
  ForEachList(
      [&storage](const InterfaceRef& list, const char* element) { LoadChildObject(list, storage, element, 0); });
}

void TMinigameDef::SaveProperties(const StorageRef& storage) {
  TDefinition::SaveProperties(storage);
  ForEachList([&storage](const InterfaceRef& list, const char* element) { SaveChildObject(list, storage, element); });
}

Variant TMinigameDef::GetProperty(const std::string& name) {
  if (name == "name") return name_;
  return TDefinition::GetProperty(name);
}

}  // namespace kestrelle
