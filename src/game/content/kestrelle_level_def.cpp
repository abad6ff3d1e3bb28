#include "game/content/kestrelle_level_def.h"

#include "data/hier_storage.h"

namespace kestrelle {

void TKestrelleLevelDef::Initialize() {
  TLevelDef::Initialize();
  clientAppearance_ = Create<TKestrelleClientAppearance>();
  clientProbability_ = Create<TKestrelleClientProbability>();
  shopItems_ = Create<TLevelItemCollection>();
  newItems_ = Create<TNewItemCollection>();
  coins_ = Create<TCoinItemCollection>();
}

void TKestrelleLevelDef::LoadProperties(const StorageRef& storage) {
  TLevelDef::LoadProperties(storage);
  LoadChildObject(clientAppearance_, storage, "client_appearance", 0);
  LoadChildObject(clientProbability_, storage, "client_probability", 0);
  LoadChildObject(shopItems_, storage, "shop_items", 0);
  LoadChildObject(newItems_, storage, "new_items", 0);
  LoadChildObject(coins_, storage, "coins", 0);
}

}  // namespace kestrelle
