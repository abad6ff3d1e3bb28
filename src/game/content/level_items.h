#pragma once
// The items of one level file: what clients order and the player finds ("shop_items"), what is new
// in the level ("new_items") and the coins lying in the shop ("coins"). Every value of an item is a
// key of its extraparams ("item_id", "item_desc", "x", "y", "z", "w", "h", "res", "minigame",
// "item_type").

#include <memory>
#include <string>

#include "game/content/definition.h"
#include "game/content/definition_list.h"

namespace kestrelle {

class TLevelItem : public TDefinitionWithoutDefaults {};

class TLevelItemCollection : public TDefinitionList<TLevelItem, "shop_items", "item"> {
 public:
  // The first item with that "item_id"; none when no item has it.
  std::shared_ptr<TLevelItem> FindByItemId(const std::string& itemId) const {
    return FindByProperty("item_id", itemId);
  }
};

class TNewItemCollection : public TDefinitionList<TLevelItem, "new_items", "item"> {};

class TCoinItemCollection : public TDefinitionList<TLevelItem, "coins", "item"> {};

}  // namespace kestrelle
