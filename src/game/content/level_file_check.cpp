#include "game/content/level_file_check.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include "app/game.h"
#include "data/hier_storage.h"
#include "data/process_settings.h"
#include "game/content/kestrelle_level_def.h"
#include "game/content/level_def_refs.h"
#include "game/content/level_items.h"
#include "game/content/station_defs.h"
#include "game/data_checks.h"
#include "game/level/level_screen.h"
#include "game/map/main_menu_screen.h"

namespace kestrelle {

namespace {

// What the things on a level's shelves must fit: the in-level challenges of every level screen
// (the guided level's too), and the stations, whose clients stand in front of everything from the
// highest station's top down.
struct LevelFloor {
  std::vector<std::pair<std::string, WindowRef>> levelScreens;
  std::optional<int64_t> stationsTop;
};

LevelFloor FloorOf(const DataCheckContext& context, const TKestrelleGameScreenMain& menu) {
  LevelFloor floor;
  GameScreenCollectionRef screens = context.game->GetScreens();
  for (int i = 0; screens && i < screens->GetCount(); ++i)
    if (auto level = std::dynamic_pointer_cast<TKestrelleGameScreenGameMain>(screens->Get(Variant(i))))
      floor.levelScreens.emplace_back(level->GetName(), level->GetWindowInterface());
  if (auto stations = std::dynamic_pointer_cast<TStationDefCollection>(menu.Content().Get("station_defs")))
    for (int i = 0; i < stations->GetCount(); ++i) {
      const Variant y = stations->GetItem(i)->GetProperty("y");
      if (y.IsEmptyOrNull()) continue;
      floor.stationsTop = std::min(floor.stationsTop.value_or(INT64_MAX), y.ToInt(0));
    }
  return floor;
}

// A shelf item whose minigame has no challenge on the level screen can never be solved, and one
// reaching down among the stations lies under the clients, where a click serves a station.
void CheckShopItems(const DataCheckContext& context, const LevelFloor& floor, const std::string& file,
                    const std::shared_ptr<IKestrelleLevelDef>& level) {
  auto items = level ? level->GetShopItems() : nullptr;
  auto named = std::dynamic_pointer_cast<INamedObject>(level);
  const std::string path = "level[" + (named ? named->GetName() : std::string()) + "]/shop_items/item[";
  for (int i = 0; items && i < items->GetCount(); ++i) {
    auto item = items->GetItem(i);
    if (!item) continue;
    const std::string where = path + item->GetName() + "]";
    const std::string minigame = item->GetProperty("minigame").ToString();
    const std::string challenge = "control_minigame_" + minigame;
    for (const auto& [screen, window] : floor.levelScreens)
      if (!minigame.empty() && window && !window->FindWidget(challenge))
        context.report({file, where,
                        "extraparams minigame: the level screen \"" + screen + "\" has no in-level challenge \"" +
                            challenge + "\""});
    const int64_t bottom = item->GetProperty("y").ToInt(0) + item->GetProperty("h").ToInt(0);
    if (floor.stationsTop && bottom > *floor.stationsTop)
      context.report({file, where,
                      "the item reaches down to y=" + std::to_string(bottom) +
                          ", among the stations from y=" + std::to_string(*floor.stationsTop)});
  }
}

void CheckLevelFiles(const DataCheckContext& context) {
  if (!context.game) return;
  GameScreenCollectionRef screens = context.game->GetScreens();
  for (int i = 0; screens && i < screens->GetCount(); ++i) {
    auto menu = std::dynamic_pointer_cast<TKestrelleGameScreenMain>(screens->Get(Variant(i)));
    if (!menu) continue;
    auto refs = std::dynamic_pointer_cast<TLevelDefRefCollection>(menu->Content().Get("level_def_refs"));
    if (!refs) continue;
    const LevelFloor floor = FloorOf(context, *menu);
    // The list lives in a file of its own, or inline in the screen's element.
    std::string file = OuterStorageFile(refs->GetOutStorage());
    std::string path = refs->GetStorageName();
    if (file.empty()) {
      file = Settings().GameFileName;
      path = "game[" + context.game->GetName() + "]/gamescreens/gamescreen[" + menu->GetName() + "]/" + path;
    }
    std::set<std::string> filesSeen;  // levels share files: each is looked at once
    for (int j = 0; j < refs->GetCount(); ++j) {
      std::shared_ptr<TLevelDefRef> ref = refs->GetItem(j);
      if (!ref) continue;
      const std::string filename = ref->GetFilename();
      if (LevelDefRef level = ref->LoadLevelDef()) {
        if (filesSeen.insert(filename).second)
          CheckShopItems(context, floor, filename, std::dynamic_pointer_cast<IKestrelleLevelDef>(level));
        continue;
      }
      const std::string where = path + "/level[" + ref->GetName() + "]";
      context.report({file, where,
                      filename.empty() ? "the level reference names no \"filename\""
                                       : "the level file \"" + filename + "\" does not load as a level definition"});
    }
  }
}

}  // namespace

void AddLevelFileCheck() { AddDataCheck("level files", CheckLevelFiles); }

}  // namespace kestrelle
