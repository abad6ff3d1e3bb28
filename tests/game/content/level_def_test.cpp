// Level files loaded through their references: the file's content, the reference's parameters
// over the file's own, and no level definition for a file that cannot give one.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "data/class_registry.h"
#include "data/data_files.h"
#include "data/hier_storage.h"
#include "game/content/kestrelle_level_def.h"
#include "game/content/level_def_refs.h"
#include "game/game_registration.h"
#include "support/widget_harness.h"

namespace kestrelle {
namespace {

constexpr const char* kLevelFile = R"(<level name="garden_a">
  <properties><param name="client_goal" value="5"/><param name="level_tips" value="from the file"/></properties>
  <client_appearance><properties><param name="hat" value="red"/></properties></client_appearance>
  <client_probability><properties><param name="granny" value="3"/><param name="student" value="1"/></properties>
  </client_probability>
  <shop_items>
    <item name="rose" extraparams="item_id=rose\item_desc=A rose\x=10\y=20\z=2\res=img_rose"/>
    <item name="seeds" extraparams="item_id=seeds\minigame=pairs"/>
    <item name="rose_again" extraparams="item_id=rose"/>
  </shop_items>
  <coins><item name="c1" extraparams="item_id=coin\item_type=coin"/></coins>
</level>)";

class LevelDefinitions : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureClassesRegistered();
    if (!ClassRegistry::Instance().IsRegistered("KestrelleLevelDef")) RegisterGameClasses();
    files_ = {
        {"levels/garden_a.xml", kLevelFile},
        {"levels/typed.xml", R"(<level type="KestrelleLevelDef"><new_items><item name="n"/></new_items></level>)"},
        {"levels/alien.xml", R"(<level type="NoSuchLevelClass"/>)"},
        {"levels/widget.xml", R"(<level type="image_widget"/>)"},
        {"levels/broken.xml", R"(<level><unclosed></level>)"},
    };
    SetDataFileReader([this](const std::string& name) -> std::optional<std::string> {
      auto found = files_.find(name);
      if (found == files_.end()) return std::nullopt;
      return found->second;
    });
    refs_ = Create<TLevelDefRefCollection>();
    refs_->LoadFromStorage(LoadStorageFromString(R"(<levels>
      <level level="1"><properties><param name="filename" value="levels/garden_a.xml"/>
        <param name="client_goal" value="12"/><param name="DisplayName" value="Opening day"/></properties></level>
      <level level="2"><properties><param name="filename" value="levels/typed.xml"/></properties></level>
      <level level="3"><properties><param name="filename" value="levels/alien.xml"/></properties></level>
      <level level="4"><properties><param name="filename" value="levels/widget.xml"/></properties></level>
      <level level="5"><properties><param name="filename" value="levels/broken.xml"/></properties></level>
      <level level="6"><properties><param name="filename" value="levels/missing.xml"/></properties></level>
      <level level="7"/>
    </levels>)"));
  }
  void TearDown() override { SetDataFileReader({}); }

  std::shared_ptr<IKestrelleLevelDef> Level(int64_t number) {
    return std::dynamic_pointer_cast<IKestrelleLevelDef>(refs_->LoadLevelDef(number));
  }

  std::map<std::string, std::string> files_;
  std::shared_ptr<TLevelDefRefCollection> refs_;
};

TEST_F(LevelDefinitions, TheFileGivesTheContentAndTheReferenceOverridesItsParameters) {
  auto level = Level(1);
  ASSERT_NE(level, nullptr);
  EXPECT_EQ(level->GetName(), "garden_a");
  EXPECT_EQ(level->GetProperty("client_goal"), Variant("12"));            // the reference wins
  EXPECT_EQ(level->GetProperty("level_tips"), Variant("from the file"));  // kept where the reference is silent
  EXPECT_EQ(level->GetProperty("DisplayName"), Variant("Opening day"));   // added from the reference
  EXPECT_EQ(level->GetProperty("filename"), Variant("levels/garden_a.xml"));
  EXPECT_EQ(refs_->FindByNumber(1)->GetProperty("level_tips"), Variant());  // the reference is not touched

  EXPECT_EQ(level->GetClientAppearance()->GetProperty("hat"), Variant("red"));
  ParamsRef weights = level->GetClientProbability()->GetParams();
  EXPECT_EQ(weights->GetCount(), 2);
  EXPECT_EQ(weights->GetValue("granny", Variant()).ToInt(), 3);

  auto items = level->GetShopItems();
  EXPECT_EQ(items->GetCount(), 3);
  auto rose = items->FindByItemId("rose");
  EXPECT_EQ(rose->GetName(), "rose");
  EXPECT_EQ(rose->GetProperty("item_desc"), Variant("A rose"));
  EXPECT_EQ(rose->GetProperty("z").ToInt(), 2);
  EXPECT_EQ(rose->GetProperty("minigame"), Variant(Null{}));  // an ordinary item
  EXPECT_EQ(items->FindByItemId("seeds")->GetProperty("z").ToInt(), 0);
  EXPECT_EQ(items->FindByItemId("seeds")->GetProperty("minigame"), Variant("pairs"));
  EXPECT_EQ(items->FindByItemId("tulip"), nullptr);
  EXPECT_EQ(level->GetCoins()->GetItem(0)->GetProperty("item_type"), Variant("coin"));
  EXPECT_EQ(level->GetNewItems()->GetCount(), 0);

  // Read anew each time: nothing is shared between two loads.
  EXPECT_NE(Level(1), level);
}

TEST_F(LevelDefinitions, AFileThatCannotGiveALevelDefinitionGivesNone) {
  auto typed = Level(2);
  ASSERT_NE(typed, nullptr);
  EXPECT_EQ(typed->GetNewItems()->GetCount(), 1);
  EXPECT_EQ(typed->GetClientProbability()->GetParams()->GetCount(), 0);  // no weights: none given
  EXPECT_EQ(typed->GetShopItems()->GetCount(), 0);
  struct Case {
    int64_t level;
    const char* why;
  };
  for (const Case& c : std::vector<Case>{{3, "unregistered type"},
                                         {4, "a class that is no level definition"},
                                         {5, "not XML"},
                                         {6, "no such file"},
                                         {7, "no filename"},
                                         {8, "no such level"},
                                         {-1, "no such level"}})
    EXPECT_EQ(refs_->LoadLevelDef(c.level), nullptr) << c.why;
}

}  // namespace
}  // namespace kestrelle
