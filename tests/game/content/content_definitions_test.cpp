// The shop content definitions: the extraparams pair list, the two ways a definition answers a
// key its extraparams lack, and the finders of the collections, on small documents.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/hier_storage.h"
#include "game/content/action_defs.h"
#include "game/content/dialog_defs.h"
#include "game/content/extra_params.h"
#include "game/content/level_def_refs.h"
#include "game/content/map_defs.h"
#include "game/content/minigame_defs.h"
#include "game/content/shop_defs.h"

namespace kestrelle {
namespace {

template <class Collection>
std::shared_ptr<Collection> Loaded(const std::string& xml) {
  auto collection = Create<Collection>();
  collection->LoadFromStorage(LoadStorageFromString(xml));
  return collection;
}

template <class Definition>
std::shared_ptr<Definition> LoadedDefinition(const std::string& xml) {
  auto definition = Create<Definition>();
  definition->LoadFromStorage(LoadStorageFromString(xml));
  return definition;
}

std::string Pairs(const ParamsRef& params) {
  if (!params) return "(none)";
  std::string text;
  for (int i = 0; i < params->GetCount(); ++i)
    text += "[" + params->GetParam(i)->GetName() + "|" + params->GetParam(i)->GetValue().ToString() + "]";
  return text;
}

TEST(ExtraParams, ParsesPairListsAndWritesThemBack) {
  struct Case {
    std::string text;
    std::string pairs;
  };
  const std::vector<Case> cases = {
      {"", "(none)"},
      {"  \t ", "(none)"},
      {"first_level=1\\last_level=8", "[first_level|1][last_level|8]"},
      {"  a = 1 \\ b =2  ", "[a|1 ][ b|2]"},     // key right-, value left-trimmed
      {"\\\\a=1\\\\\\b=2\\", "[a|1][b|2]"},      // empty entries dropped
      {"a=1\\broken\\b=2", "[a|1][b|2]"},        // no "=": no pair
      {"a={x\\y=z}\\b=2", "[a|x\\y=z][b|2]"},    // "\" inside braces does not split
      {"a={{inner}}", "[a|{inner}]"},            // one pair of braces removed
      {"a=1=2\\b=", "[a|1=2][b|]"},              // split at the first "="
      {"key=first\\KEY=second", "[key|first]"},  // a repeated key adds nothing
      {"only words", ""},                        // present, but without pairs
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ParamsRef params = ParseExtraParams(c.text);
    EXPECT_EQ(Pairs(params), c.pairs);
    if (params && params->GetCount() > 0) {
      EXPECT_EQ(Pairs(ParseExtraParams(FormatExtraParams(params))), c.pairs);
    }
  }
}

TEST(ContentDefinitions, AKeyMissingFromExtraparamsIsEmptyTextOrNoValueByKind) {
  auto map = LoadedDefinition<TMapDef>(R"(<map_def name="m" map_name="Town" extraparams="x=5"/>)");
  auto bareMap = LoadedDefinition<TMapDef>(R"(<map_def name="m"/>)");
  auto action = LoadedDefinition<TActionDef>(R"(<action name="a" action_id="buy" extraparams="x=5"/>)");
  struct Case {
    std::shared_ptr<TDefinition> definition;
    std::string key;
    Variant expected;
  };
  const std::vector<Case> cases = {
      {map, "map_name", Variant("Town")},
      {map, "x", Variant("5")},
      {map, "missing", Variant("")},
      {bareMap, "missing", Variant(Null{})},  // no extraparams at all: the base answer
      {action, "action_id", Variant("buy")},
      {action, "priority", Variant(int64_t{100})},
      {action, "x", Variant("5")},
      {action, "missing", Variant(Null{})},
  };
  for (const Case& c : cases) EXPECT_EQ(c.definition->GetProperty(c.key), c.expected) << c.key;
}

constexpr const char* kShops = R"(<shop_defs>
  <shop_def name="ShopGarden" shop_name="Garden" extraparams="first_level=1\last_level=8"/>
  <shop_def name="ShopBakery" extraparams="first_level=9\last_level=16"/>
  <shop_def name="ShopNoRange"/>
  <shop_def name="ShopOverlap" extraparams="first_level=14\last_level=20"/>
  <shop_def name="ShopGarden" extraparams="first_level=90\last_level=99"/>
</shop_defs>)";

TEST(ShopDefCollection, FindsShopsByLevelAndMakesLevelsGlobal) {
  auto shops = Loaded<TShopDefCollection>(kShops);
  EXPECT_EQ(shops->GetCount(), 4);  // the second "ShopGarden" is not added
  struct ByLevel {
    int64_t level;
    std::string shop;
  };
  for (const ByLevel& c : std::vector<ByLevel>{{1, "ShopGarden"},
                                               {8, "ShopGarden"},
                                               {9, "ShopBakery"},
                                               {15, "ShopBakery"},  // two ranges: the earlier shop
                                               {20, "ShopOverlap"},
                                               {0, ""},
                                               {-1, ""},
                                               {21, ""},
                                               {95, ""}}) {
    auto shop = shops->FindShopByLevel(c.level);
    EXPECT_EQ(shop ? shop->GetName() : "", c.shop) << "level " << c.level;
  }
  struct Global {
    int64_t local;
    std::string shop;
    int64_t global;
  };
  for (const Global& c : std::vector<Global>{{1, "ShopGarden", 1},
                                             {3, "shopbakery", 11},
                                             {2, "ShopNoRange", 18},
                                             {2, "ShopOverlap", 2},  // the shop before has no range
                                             {1, "Nowhere", 0}}) {
    EXPECT_EQ(shops->GetGlobalLevel(c.local, c.shop), c.global) << c.shop;
  }
  EXPECT_EQ(shops->FindByName("ShopBakery")->GetShopName(), "");
  EXPECT_EQ(shops->FindByName("ShopGarden")->GetShopName(), "Garden");
  EXPECT_EQ(shops->FindByName("Nowhere"), nullptr);
}

TEST(ContentCollections, FindersGiveTheFirstMatchOrNone) {
  auto levels = Loaded<TLevelDefRefCollection>(R"(<levels>
    <level level="1"><properties><param name="DisplayName" value="Opening day"/></properties></level>
    <level level="7"><properties><param name="minigame" value="pairs"/></properties></level>
    <level level="9"><properties><param name="minigame" value="pairs"/></properties></level>
    <level level="12"><properties><param name="minigame" value=""/></properties></level>
  </levels>)");
  EXPECT_EQ(levels->FindByNumber(7)->GetNumber(), 7);
  EXPECT_EQ(levels->FindByNumber(2), nullptr);
  EXPECT_EQ(levels->FindByNumber(-1), nullptr);
  EXPECT_EQ(levels->GetDisplayName(1), "Opening day");
  EXPECT_EQ(levels->GetDisplayName(2), "");
  EXPECT_EQ(levels->FindLevelByMinigame("pairs"), 7);
  EXPECT_EQ(levels->FindLevelByMinigame("puzzle"), -1);
  EXPECT_EQ(levels->FindLevelByMinigame(""), 12);  // an empty value is a value; absent ones are not

  auto actions = Loaded<TActionDefCollection>(R"(<actions>
    <action name="a1" action_id="paint" type="career"/><action name="a2" action_id="paint"/>
    <action name="a3" action_id="garden" priority="5"/></actions>)");
  EXPECT_EQ(actions->FindByActionId("paint")->GetName(), "a1");
  EXPECT_EQ(actions->FindByActionId("garden")->GetPriority(), 5);
  EXPECT_EQ(actions->FindByActionId("nothing"), nullptr);

  auto items = Loaded<TActionItemDefCollection>(
      R"(<action_items><action_item name="i1" item_id="brush"/><action_item name="i2"/></action_items>)");
  EXPECT_EQ(items->FindByItemId("brush")->GetName(), "i1");
  EXPECT_EQ(items->FindByItemId("nothing"), nullptr);

  auto minigames = Loaded<TMinigameDefCollection>(R"(<minigame_defs>
    <minigame_def name="path" extraparams="rows=3">
      <paths><path name="2_3" path_type="corner" path_row="2" path_col="3"/><path name="0_0"/></paths>
      <leafs><leaf name="l1" leaf_id="oak"/><leaf name="l2" leaf_id="oak" init_leaf="yes"/></leafs>
      <rounds><round name="r1" places="4"><places><place x="1"/><place x="2"/></places></round></rounds>
      <places><place name="p" goal="g"/></places>
    </minigame_def></minigame_defs>)");
  auto path = minigames->FindByName("path");
  ASSERT_NE(path, nullptr);
  EXPECT_EQ(minigames->FindByName("stamp"), nullptr);
  EXPECT_EQ(path->GetProperty("name"), Variant("path"));
  EXPECT_EQ(path->GetProperty("rows"), Variant("3"));
  EXPECT_EQ(path->GetPaths()->FindByCell(2, 3)->GetProperty("path_type"), Variant("corner"));
  EXPECT_NE(path->GetPaths()->FindByCell(0, 0), nullptr);
  EXPECT_EQ(path->GetPaths()->FindByCell(3, 2), nullptr);
  EXPECT_EQ(path->GetPaths()->FindByCell(-1, 0), nullptr);
  EXPECT_EQ(path->GetLeafs()->FindByLeafId("oak")->GetName(), "l1");
  EXPECT_EQ(path->GetLeafs()->FindByLeafId("elm"), nullptr);
  // A round's integer "places" and its own place list are independent of each other and of the
  // minigame's places; unnamed items are all kept.
  auto round = path->GetRounds()->GetItem(0);
  EXPECT_EQ(round->GetProperty("places"), Variant(int64_t{4}));
  EXPECT_EQ(round->GetProperty("angle_range"), Variant(int64_t{360}));
  EXPECT_EQ(round->GetProperty("specific_resource"), Variant("no"));
  EXPECT_EQ(round->GetPlaces()->GetCount(), 2);
  EXPECT_EQ(path->GetPlaces()->GetCount(), 1);
  EXPECT_EQ(path->GetDiffs()->GetCount(), 0);

  auto dialogues = Loaded<TDialogDefCollection>(
      R"(<dialogues><dialogue name="d"><lines><line name="first" extraparams="person=Ann"/>
      <line name="second"/></lines></dialogue></dialogues>)");
  auto dialogue = dialogues->GetItemByName("d");
  EXPECT_EQ(dialogue->GetLineByName("first")->GetProperty("person"), Variant("Ann"));
  EXPECT_EQ(dialogue->GetLineByIndex(1)->GetName(), "second");
  EXPECT_EQ(dialogue->GetLineByIndex(2), nullptr);
}

TEST(ContentDefinitions, SavedDefinitionsLoadBackTheSame) {
  const std::string xml = R"(<minigame_def name="m" extraparams="a={x\y}\b= c">)"
                          R"(<rounds><round name="r" places="3"><places><place x="1" goal="g"/></places></round>)"
                          R"(</rounds><leafs><leaf name="l" init_leaf="start"/></leafs></minigame_def>)";
  auto saved = [](const std::shared_ptr<TMinigameDef>& definition) {
    StorageRootRef root = CreateStorage("minigame_def");
    definition->SaveToStorage(root->GetRoot());
    return root->SaveToString();
  };
  const std::string first = saved(LoadedDefinition<TMinigameDef>(xml));
  EXPECT_EQ(saved(LoadedDefinition<TMinigameDef>(first)), first);
  EXPECT_NE(first.find("places=\"3\""), std::string::npos);
  EXPECT_EQ(first.find("init_leaf"), std::string::npos);  // read, never written back
  EXPECT_EQ(Pairs(LoadedDefinition<TMinigameDef>(first)->GetExtraParams()), "[a|x\\y][b|c]");
}

}  // namespace
}  // namespace kestrelle
