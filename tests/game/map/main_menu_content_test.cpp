// The main menu owns the shop content: it loads the nine lists from its own element, publishes
// each as a game setting once it has its game, and withdraws them when it is finalized.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/game.h"
#include "data/class_registry.h"
#include "data/hier_storage.h"
#include "game/content/action_defs.h"
#include "game/content/dialog_defs.h"
#include "game/content/level_def_refs.h"
#include "game/content/map_defs.h"
#include "game/content/minigame_defs.h"
#include "game/content/shop_defs.h"
#include "game/content/station_defs.h"
#include "game/game_registration.h"
#include "support/scoped_user_folder.h"
#include "support/widget_harness.h"

namespace kestrelle {
namespace {

constexpr const char* kGame = R"(<game type="Game" name="g">
  <gamescreens>
    <gamescreen type="KestrelleGameScreenMain" name="GS_Main"><window/>
      <map_defs><map_def name="town"/></map_defs>
      <shop_defs><shop_def name="ShopGarden"/><shop_def name="ShopBakery"/></shop_defs>
      <levels><level level="1"/><level level="2"/><level level="3"/></levels>
      <stations><station_def name="station_1"/><station_def name="station_2"/></stations>
      <dialogues><dialogue name="intro"/></dialogues>
      <action_items><action_item name="brush"/></action_items>
      <actions><action name="paint"/><action name="plant"/></actions>
      <room_items><room_item name="lamp"/></room_items>
      <minigame_defs><minigame_def name="pairs"/></minigame_defs>
      <stations><station_def name="ignored: only the first list counts"/></stations>
    </gamescreen>
  </gamescreens>
</game>)";

class MainMenuContent : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureClassesRegistered();
    if (!ClassRegistry::Instance().IsRegistered("KestrelleGameScreenMain")) RegisterGameClasses();
    engine_ = std::make_shared<testing::FakeEngine>();
    engine_->Initialize();
    game_ = Create<TGame>();
    game_->LoadFromStorage(LoadStorageFromString(kGame));
    game_->StartGame(engine_);
  }
  void TearDown() override { game_->EndGame(); }

  template <class Collection>
  int PublishedCount(const std::string& name) {
    auto collection = game_->GetSetting(name).As<Collection>();
    return collection ? collection->GetCount() : -1;
  }

  testing::ScopedUserFolder userFolder_{"main-menu-content"};
  std::shared_ptr<testing::FakeEngine> engine_;
  std::shared_ptr<TGame> game_;
};

TEST_F(MainMenuContent, PublishesEveryCollectionAndWithdrawsThemWhenFinalized) {
  EXPECT_EQ(PublishedCount<IMapDefCollection>("map_defs"), 1);
  EXPECT_EQ(PublishedCount<IShopDefCollection>("shop_defs"), 2);
  EXPECT_EQ(PublishedCount<ILevelDefRefCollection>("level_def_refs"), 3);
  EXPECT_EQ(PublishedCount<IStationDefCollection>("station_defs"), 2);
  EXPECT_EQ(PublishedCount<IDialogDefCollection>("dialog_defs"), 1);
  EXPECT_EQ(PublishedCount<IActionItemDefCollection>("action_item_defs"), 1);
  EXPECT_EQ(PublishedCount<IActionDefCollection>("action_defs"), 2);
  EXPECT_EQ(PublishedCount<IRoomItemDefCollection>("room_item_defs"), 1);
  EXPECT_EQ(PublishedCount<IMinigameDefCollection>("minigame_defs"), 1);
  EXPECT_EQ(game_->GetSetting("level_def_refs").As<ILevelDefRefCollection>()->FindByNumber(3)->GetNumber(), 3);

  game_->GetScreens()->Get(Variant(std::string("GS_Main")))->Finalize();
  for (const char* name : {"map_defs", "shop_defs", "level_def_refs", "station_defs", "dialog_defs", "action_item_defs",
                           "action_defs", "room_item_defs", "minigame_defs"})
    EXPECT_TRUE(game_->GetSetting(name).IsNull()) << name;
}

}  // namespace
}  // namespace kestrelle
