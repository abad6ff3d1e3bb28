#include "game/content/level_items.h"

namespace kestrelle {

void TLevelItemCollection::Initialize() {
  TDefinitionList::Initialize();
  SetElementNames("shop_items", "item");
}

void TNewItemCollection::Initialize() {
  TDefinitionList::Initialize();
  SetElementNames("new_items", "item");
}

void TCoinItemCollection::Initialize() {
  TDefinitionList::Initialize();
  SetElementNames("coins", "item");
}

}  // namespace kestrelle
