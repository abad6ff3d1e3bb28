// Arbitrary bytes as the main menu's element holding the shop content, and as every level file
// it names: loading and the finders over what loaded. (Nothing is saved: an element naming an
// outer storage would have its file written.)
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

#include "data/data_files.h"
#include "data/hier_storage.h"
#include "game/class_registration.h"
#include "game/content/action_defs.h"
#include "game/content/kestrelle_level_def.h"
#include "game/content/level_def_refs.h"
#include "game/content/minigame_defs.h"
#include "game/content/shop_content.h"
#include "game/content/shop_defs.h"

using namespace kestrelle;

namespace {

std::string input;

template <class Collection>
std::shared_ptr<Collection> Get(const TShopContent& content, const char* name) {
  return std::dynamic_pointer_cast<Collection>(content.Get(name));
}

void Probe(const std::shared_ptr<TShopDefCollection>& shops) {
  const int64_t levels[] = {std::numeric_limits<int64_t>::min(), -1, 0, 1, 8, 48, 99,
                            std::numeric_limits<int64_t>::max()};
  for (int64_t level : levels) {
    shops->FindShopByLevel(level);
    for (int i = 0; i < shops->GetCount() && i < 8; ++i)
      if (auto shop = shops->GetItem(i)) shops->GetGlobalLevel(level, shop->GetName());
  }
}

void Probe(const std::shared_ptr<TLevelDefRefCollection>& refs) {
  refs->FindLevelByMinigame("pairs");
  refs->FindByNumber(1);
  for (int i = 0; i < refs->GetCount() && i < 4; ++i) {
    auto ref = refs->GetItem(i);
    auto level = std::dynamic_pointer_cast<IKestrelleLevelDef>(ref ? ref->LoadLevelDef() : nullptr);
    if (!level) continue;
    level->GetShopItems()->FindByItemId("rose");
    for (int j = 0; j < level->GetShopItems()->GetCount() && j < 8; ++j)
      level->GetShopItems()->GetItem(j)->GetProperty("z").ToInt();
    refs->GetDisplayName(ref->GetNumber());
  }
}

void Probe(const std::shared_ptr<TMinigameDefCollection>& minigames) {
  for (int i = 0; i < minigames->GetCount() && i < 4; ++i) {
    auto minigame = minigames->GetItem(i);
    minigame->GetPaths()->FindByCell(std::numeric_limits<int64_t>::min(), 0);
    minigame->GetLeafs()->FindByLeafId("");
    for (int j = 0; j < minigame->GetRounds()->GetCount() && j < 4; ++j)
      minigame->GetRounds()->GetItem(j)->GetPlaces()->GetCount();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool registered = [] {
    RegisterAllClasses();
    // Every file the content names (level files, outer storages) is the input again.
    SetDataFileReader([](const std::string&) { return std::optional<std::string>(input); });
    return true;
  }();
  (void)registered;
  input.assign(reinterpret_cast<const char*>(data), size);
  ClearOuterStorageCache();
  StorageRef element = LoadStorageFromString(input);
  if (!element) return 0;

  TShopContent content;
  content.Load(element);
  Probe(Get<TShopDefCollection>(content, "shop_defs"));
  Probe(Get<TLevelDefRefCollection>(content, "level_def_refs"));
  Probe(Get<TMinigameDefCollection>(content, "minigame_defs"));
  Get<TActionDefCollection>(content, "action_defs")->FindByActionId("careers_6");
  Get<TActionItemDefCollection>(content, "action_item_defs")->FindByItemId("");

  // The input as a level file of its own.
  auto level = Create<TKestrelleLevelDef>();
  level->LoadFromStorage(element);
  level->CopyParams(level->GetClientProbability()->GetParams());
  return 0;
}
