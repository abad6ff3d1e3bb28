#include "game/content/shop_content.h"

#include <string_view>

#include "data/file_system.h"
#include "data/hier_storage.h"
#include "game/content/action_defs.h"
#include "game/content/dialog_defs.h"
#include "game/content/level_def_refs.h"
#include "game/content/map_defs.h"
#include "game/content/minigame_defs.h"
#include "game/content/shop_defs.h"
#include "game/content/station_defs.h"

namespace kestrelle {

namespace {

// Readers fetch the stations first; the rest follow in loading order.
constexpr std::string_view kPublishingOrder[] = {"station_defs",   "map_defs",       "shop_defs",
                                                 "level_def_refs", "dialog_defs",    "action_item_defs",
                                                 "action_defs",    "room_item_defs", "minigame_defs"};

}  // namespace

void TShopContent::Load(const StorageRef& element) {
  collections_ = {
      {"map_defs", Create<TMapDefCollection>()},
      {"shop_defs", Create<TShopDefCollection>()},
      {"level_def_refs", Create<TLevelDefRefCollection>()},
      {"station_defs", Create<TStationDefCollection>()},
      {"dialog_defs", Create<TDialogDefCollection>()},
      {"action_item_defs", Create<TActionItemDefCollection>()},
      {"action_defs", Create<TActionDefCollection>()},
      {"room_item_defs", Create<TRoomItemDefCollection>()},
      {"minigame_defs", Create<TMinigameDefCollection>()},
  };
  for (const Published& entry : collections_) {
    if (!LoadChildObject(entry.collection, element, entry.collection->GetStorageName(), 0))
      LogLine("main menu: no \"" + entry.collection->GetStorageName() + "\" list in the screen's element; \"" +
              entry.settingName + "\" is empty");
  }
}

void TShopContent::Publish(const GameScreenOwnerRef& owner) const {
  if (!owner) return;
  for (std::string_view name : kPublishingOrder)
    if (auto collection = Get(std::string(name))) owner->SetSetting(std::string(name), Variant(collection));
}

void TShopContent::Withdraw(const GameScreenOwnerRef& owner) {
  if (owner)
    for (std::string_view name : kPublishingOrder) owner->SetSetting(std::string(name), Null{});
  collections_.clear();
}

std::shared_ptr<TPersistCollection> TShopContent::Get(const std::string& settingName) const {
  for (const Published& entry : collections_)
    if (settingName == entry.settingName) return entry.collection;
  return nullptr;
}

}  // namespace kestrelle
