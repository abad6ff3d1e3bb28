// The demo's shop content as the main menu of the demo loads it (its lists in files of their
// own): every list is there, every level lies in a shop's range and its level file loads; every
// minigame is reached from a level, has its screen and is offered by the bonus menu.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "data/class_registry.h"
#include "data/data_files.h"
#include "data/hier_storage.h"
#include "game/content/kestrelle_level_def.h"
#include "game/content/minigame_defs.h"
#include "game/content/shop_content.h"
#include "game/content/shop_defs.h"
#include "game/content/station_defs.h"
#include "game/game_registration.h"
#include "support/widget_harness.h"

namespace kestrelle {
namespace {

const std::string kContent = std::string(KESTRELLE_SOURCE_DIR) + "/content/";

class DemoContent : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureClassesRegistered();
    if (!ClassRegistry::Instance().IsRegistered("KestrelleLevelDef")) RegisterGameClasses();
    // "data\shop\x.xml" of the program folder is content/shop/x.xml of the sources.
    SetDataFileReader([](const std::string& name) -> std::optional<std::string> {
      std::string path = name;
      for (char& c : path)
        if (c == '\\') c = '/';
      const std::string folder = "data/shop/";
      if (path.compare(0, folder.size(), folder) != 0) return std::nullopt;
      return ReadDataFileFromDisk(kContent + "shop/" + path.substr(folder.size()));
    });
    ClearOuterStorageCache();
    game_ = LoadStorageFromString(ReadDataFileFromDisk(kContent + "ini/Kestrelle.ini").value_or(""));
    ASSERT_NE(game_, nullptr);
    StorageRef screens = game_->GetChild("gamescreens", 0);
    for (int i = 0; screens && i < screens->GetChildCount("gamescreen"); ++i)
      if (ReadString(screens->GetChild("gamescreen", i), "type") == "KestrelleGameScreenMain")
        content_.Load(screens->GetChild("gamescreen", i));
  }
  void TearDown() override {
    SetDataFileReader({});
    ClearOuterStorageCache();
  }

  TShopContent content_;
  StorageRef game_;
};

TEST_F(DemoContent, EveryListIsThereAndEveryLevelHasAShopAndALevelFile) {
  for (const char* name : {"map_defs", "shop_defs", "level_def_refs", "station_defs", "dialog_defs", "action_item_defs",
                           "action_defs", "room_item_defs", "minigame_defs"}) {
    auto collection = content_.Get(name);
    ASSERT_NE(collection, nullptr) << name;
    EXPECT_GT(collection->GetCount(), 0) << name;
  }
  auto shops = std::dynamic_pointer_cast<TShopDefCollection>(content_.Get("shop_defs"));
  EXPECT_NE(shops->FindByName("ShopGarden"), nullptr);
  auto stations = std::dynamic_pointer_cast<TStationDefCollection>(content_.Get("station_defs"));
  EXPECT_EQ(stations->GetItem(2)->GetName(), "station_3");

  auto levels = std::dynamic_pointer_cast<TLevelDefRefCollection>(content_.Get("level_def_refs"));
  for (int i = 0; i < levels->GetCount(); ++i) {
    auto ref = levels->GetItem(i);
    SCOPED_TRACE("level " + ref->GetName());
    auto level = std::dynamic_pointer_cast<IKestrelleLevelDef>(ref->LoadLevelDef());
    ASSERT_NE(level, nullptr);
    EXPECT_GT(level->GetShopItems()->GetCount(), 0);
    if (ref->GetNumber() == 99) continue;  // the rules button's level stands outside the shops
    auto shop = shops->FindShopByLevel(ref->GetNumber());
    ASSERT_NE(shop, nullptr);
    EXPECT_EQ(ref->GetProperty("shop_name"), Variant(shop->GetName()));
  }
}

// A minigame name without a definition or a screen is skipped in play without a word, and so is a
// definition that no level names or the bonus menu leaves out.
TEST_F(DemoContent, EveryMinigameIsReachedFromALevelAndTheBonusMenuAndHasItsScreen) {
  auto levels = std::dynamic_pointer_cast<TLevelDefRefCollection>(content_.Get("level_def_refs"));
  auto minigames = std::dynamic_pointer_cast<TMinigameDefCollection>(content_.Get("minigame_defs"));
  ASSERT_TRUE(levels && minigames);
  for (int i = 0; i < levels->GetCount(); ++i) {
    auto ref = levels->GetItem(i);
    const Variant minigame = ref->GetProperty("minigame");
    if (minigame.IsEmptyOrNull() || minigame.ToString().empty()) continue;
    SCOPED_TRACE("level " + ref->GetName());
    EXPECT_NE(minigames->FindByName(minigame.ToString()), nullptr);
  }

  std::set<std::string> screens;
  StorageRef list = game_->GetChild("gamescreens", 0);
  for (int i = 0; list && i < list->GetChildCount("gamescreen"); ++i)
    screens.insert(ReadString(list->GetChild("gamescreen", i), "name"));
  std::set<std::string> offered;
  StorageRef bonus = LoadStorageFromString(ReadDataFileFromDisk(kContent + "ini/screen_main_bonus.xml").value_or(""));
  ASSERT_NE(bonus, nullptr);
  StorageRef buttons = bonus->GetNodeByPath("window/widgets/widget[@name=level_buttons]/widgets");
  for (int i = 0; buttons && i < buttons->GetChildCount("widget"); ++i) {
    const std::string extra = ReadString(buttons->GetChild("widget", i), "extraparams");
    const size_t at = extra.find("minigame=");
    if (at != std::string::npos) offered.insert(extra.substr(at + 9, extra.find('\\', at) - at - 9));
  }

  EXPECT_EQ(static_cast<int>(offered.size()), minigames->GetCount());
  for (int i = 0; i < minigames->GetCount(); ++i) {
    const std::string name = minigames->GetItem(i)->GetName();
    SCOPED_TRACE("minigame " + name);
    EXPECT_GT(levels->FindLevelByMinigame(name), 0);
    EXPECT_TRUE(screens.count("GS_MiniGame_" + name));
    EXPECT_TRUE(offered.count(name));
  }
}

}  // namespace
}  // namespace kestrelle
