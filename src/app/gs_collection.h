#pragma once
// The game's screens by name: "gamescreens" of "gamescreen" elements, each created from the
// registered class its "type" names and keyed by its name. The game keeps one for all its
// screens and one, not stored, for the stack of shown screens.

#include "app/game_screen_interface.h"
#include "data/object.h"

namespace kestrelle {

class TGSCollection : public TTypedCreationPersistItemCollection, public virtual IGameScreenCollection {
 public:
  void Initialize() override;
  // Items that are not screens are dropped.
  void AddItem(const InterfaceRef& item) override;

  GameScreenRef Get(const Variant& key) override { return ItemAs<IGameScreenSlave>(key); }
  bool Add(const GameScreenRef& screen) override;
};

}  // namespace kestrelle
