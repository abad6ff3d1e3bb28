#include "game/content/level_file_check.h"

#include <string_view>

#include "app/game.h"
#include "data/hier_storage.h"
#include "data/process_settings.h"
#include "game/content/level_def_refs.h"
#include "game/data_checks.h"
#include "game/map/main_menu_screen.h"

namespace kestrelle {

namespace {

void CheckLevelFiles(const DataCheckContext& context) {
  if (!context.game) return;
  GameScreenCollectionRef screens = context.game->GetScreens();
  for (int i = 0; screens && i < screens->GetCount(); ++i) {
    auto menu = std::dynamic_pointer_cast<TKestrelleGameScreenMain>(screens->Get(Variant(i)));
    if (!menu) continue;
    auto refs = std::dynamic_pointer_cast<TLevelDefRefCollection>(menu->Content().Get("level_def_refs"));
    if (!refs) continue;
    // The list lives in a file of its own, or inline in the screen's element.
    std::string file = OuterStorageFile(refs->GetOutStorage());
    std::string path = refs->GetStorageName();
    if (file.empty()) {
      file = Settings().GameFileName;
      path = "game[" + context.game->GetName() + "]/gamescreens/gamescreen[" + menu->GetName() + "]/" + path;
    }
    for (int j = 0; j < refs->GetCount(); ++j) {
      std::shared_ptr<TLevelDefRef> ref = refs->GetItem(j);
      if (!ref || ref->LoadLevelDef()) continue;
      const std::string where = path + "/level[" + ref->GetName() + "]";
      const std::string filename = ref->GetFilename();
      context.report({file, where,
                      filename.empty() ? "the level reference names no \"filename\""
                                       : "the level file \"" + filename + "\" does not load as a level definition"});
    }
  }
}

}  // namespace

void AddLevelFileCheck() { AddDataCheck("level files", CheckLevelFiles); }

}  // namespace kestrelle
