#pragma once
// The shop content the main menu owns: the nine definition collections, loaded from the menu's
// own element and published as game settings under fixed names for every other screen to fetch.

#include <memory>
#include <string>
#include <vector>

#include "app/game_screen_interface.h"
#include "data/object.h"

namespace kestrelle {

class TShopContent {
 public:
  // Creates the collections and loads each from its list element, the first child of that name
  // in `element`; a missing list leaves its collection empty (and says so in the log).
  void Load(const StorageRef& element);
  // Each collection as the game setting of its name.
  void Publish(const GameScreenOwnerRef& owner) const;
  // Every setting set to Null, and the collections released.
  void Withdraw(const GameScreenOwnerRef& owner);

  // The collection published under `settingName`; null before loading.
  std::shared_ptr<TPersistCollection> Get(const std::string& settingName) const;

 private:
  struct Published {
    const char* settingName;
    std::shared_ptr<TPersistCollection> collection;
  };
  std::vector<Published> collections_;  // in loading order
};

}  // namespace kestrelle
