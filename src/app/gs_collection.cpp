#include "app/gs_collection.h"

namespace kestrelle {

void TGSCollection::Initialize() {
  TTypedCreationPersistItemCollection::Initialize();
  storageName_ = "gamescreens";
  itemElementName_ = "gamescreen";
}

void TGSCollection::AddItem(const InterfaceRef& item) {
  if (auto screen = std::dynamic_pointer_cast<IGameScreenSlave>(item)) Add(screen);
}

bool TGSCollection::Add(const GameScreenRef& screen) {
  if (!screen) return false;
  return items_.Add(screen, screen->GetName()) != nullptr;
}

}  // namespace kestrelle
