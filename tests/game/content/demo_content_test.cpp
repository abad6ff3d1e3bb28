// The demo's shop content as the main menu of the demo loads it (its lists in files of their
// own): every list is there, every level lies in a shop's range and its level file loads.

#include <gtest/gtest.h>

#include <string>

#include "data/class_registry.h"
#include "data/data_files.h"
#include "data/hier_storage.h"
#include "game/content/kestrelle_level_def.h"
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
    StorageRef game = LoadStorageFromString(ReadDataFileFromDisk(kContent + "ini/Kestrelle.ini").value_or(""));
    ASSERT_NE(game, nullptr);
    StorageRef screens = game->GetChild("gamescreens", 0);
    for (int i = 0; screens && i < screens->GetChildCount("gamescreen"); ++i)
      if (ReadString(screens->GetChild("gamescreen", i), "type") == "KestrelleGameScreenMain")
        content_.Load(screens->GetChild("gamescreen", i));
  }
  void TearDown() override {
    SetDataFileReader({});
    ClearOuterStorageCache();
  }

  TShopContent content_;
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

}  // namespace
}  // namespace kestrelle
