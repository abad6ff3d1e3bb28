// Custom settings applied at the end of the game's start: every command kind, in file order, and
// what happens when a command names something that is not there (that command does nothing, the
// next one runs).

#include "app/custom_settings.h"

#include <gtest/gtest.h>

#include <map>

#include "app/game.h"
#include "data/class_registry.h"
#include "data/global_options.h"
#include "data/hier_storage.h"
#include "support/scoped_user_folder.h"
#include "support/widget_harness.h"

namespace kestrelle {
namespace {

using testing::FakeEngine;

// An engine whose text files are in memory and that records the resource groups it loads.
class FileEngine : public FakeEngine {
 public:
  std::map<std::string, std::string> files;
  std::vector<std::string> resourceLoads;  // "group:first element"

  std::string LoadTextFile(const std::string& fileName, const std::string& key) override {
    auto it = files.find(fileName + "|" + key);
    return it == files.end() ? std::string() : it->second;
  }
  void LoadResources(const StorageRef& storage, const std::string& group, bool pump) override {
    StorageRef first = storage->GetChildCount("resource") > 0 ? storage->GetChild("resource", 0) : nullptr;
    resourceLoads.push_back(group + ":" + (first ? ReadString(first, "name", "") : std::string()));
  }
};

constexpr const char* kScreens = R"(
  <gamescreens>
    <gamescreen type="harness_screen" name="GS_Main"><window><widgets>
      <widget type="group_widget" name="panel"><widgets>
        <widget type="rect_widget" name="inner" anchor_left="1"/>
      </widgets></widget>
      <widget type="rect_widget" name="plain"/>
    </widgets></window></gamescreen>
  </gamescreens>)";

constexpr const char* kCommands = R"(<custom><commands>
  <command type="param_command" name="volume" paramname="MusicVolume" value="30"/>
  <command type="param_command" name="nameless" paramname="" value="1"/>
  <command type="no_such_command" name="unknown"/>
  <command type="load_resource_command" name="extra" groupname="extra">
    <storage_string><resources><resource name="badge_image" type="image"/></resources></storage_string>
  </command>
  <command type="load_resource_command" name="broken" groupname="broken"><storage_string>not xml</storage_string></command>
  <command type="add_widget_command" name="badge1" gamescreenname="GS_Main" parent_widget_name="panel">
    <storage_string><widget type="rect_widget" name="badge" anchor_left="5"/></storage_string>
  </command>
  <command type="add_widget_command" name="badge2" gamescreenname="GS_Main" parent_widget_name="panel">
    <storage_string><widget type="rect_widget" name="badge" anchor_left="9"/></storage_string>
  </command>
  <command type="add_widget_command" name="nogroup" gamescreenname="GS_Main" parent_widget_name="plain">
    <storage_string><widget type="rect_widget" name="lost"/></storage_string>
  </command>
  <command type="add_widget_command" name="noscreen" gamescreenname="GS_None" parent_widget_name="panel">
    <storage_string><widget type="rect_widget" name="lost"/></storage_string>
  </command>
  <command type="widget_change_property_value_command" name="move" gamescreenname="GS_Main"
           widgetname="panel\inner" paramname="anchor_left" value="12"/>
  <command type="widget_change_property_value_command" name="missing" gamescreenname="GS_Main"
           widgetname="panel\nothing" paramname="anchor_left" value="99"/>
  <command type="widget_change_property_value_command" name="top" gamescreenname="GS_Main"
           widgetname="plain" paramname="anchor_top" value="7"/>
</commands></custom>)";

class CustomSettingsAtStart : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureClassesRegistered();
    GlobalOptions().Unload();
    engine = std::make_shared<FileEngine>();
    engine->Initialize();
  }
  void TearDown() override {
    if (game) game->EndGame();
    GlobalOptions().Unload();
  }
  void Start(const std::string& customSettings) {
    StorageRef storage =
        LoadStorageFromString("<game type=\"Game\" name=\"test\">" + customSettings +
                              "<params><param name=\"MusicVolume\" value=\"80\"/></params>" + kScreens + "</game>");
    ASSERT_TRUE(storage);
    game = std::dynamic_pointer_cast<TGame>(CreateObjectFromString("Game"));
    game->LoadFromStorage(storage);
    game->StartGame(engine);
  }
  WidgetRef Find(const std::string& path) {
    auto screen = std::dynamic_pointer_cast<IWidgetOwner>(game->GetScreens()->Get(Variant("GS_Main")));
    return screen ? screen->FindWidget(path) : nullptr;
  }

  testing::ScopedUserFolder folder{"custom-settings"};
  std::shared_ptr<FileEngine> engine;
  std::shared_ptr<TGame> game;
};

TEST_F(CustomSettingsAtStart, EveryCommandKindInOrderAndMissingTargetsSkipped) {
  engine->files["extra.xml|"] = kCommands;
  engine->files["later.xml|k1"] = R"(<custom><commands>
      <command type="param_command" name="volume" paramname="MusicVolume" value="45"/>
    </commands></custom>)";
  Start(R"(<custom_settings>
      <custom_setting name="empty"/>
      <custom_setting name="main" filename="extra.xml"/>
      <custom_setting name="gone" filename="missing.xml"/>
      <custom_setting name="later" filename="later.xml" key="k1"/>
    </custom_settings>)");

  EXPECT_EQ(game->GetSetting("MusicVolume").ToString(), "45");  // the later file wins
  EXPECT_TRUE(game->GetSetting("").IsNull());
  EXPECT_EQ(engine->resourceLoads, std::vector<std::string>{"extra:badge_image"});
  WidgetRef panel = Find("panel");
  ASSERT_TRUE(panel);
  EXPECT_EQ(panel->GetWidgets()->GetCount(), 2);  // inner and one badge: the second replaced the first
  EXPECT_DOUBLE_EQ(Find("panel/badge")->GetAnchorLeft(), 9);
  EXPECT_EQ(Find("panel/badge")->GetOwner(), std::dynamic_pointer_cast<IWidgetOwner>(panel));
  EXPECT_FALSE(Find("plain/lost"));
  EXPECT_DOUBLE_EQ(Find("panel/inner")->GetAnchorLeft(), 12);
  EXPECT_DOUBLE_EQ(Find("plain")->GetAnchorTop(), 7);  // commands after the missing ones still run

  auto commands = game->GetCustomSettings()->Get(Variant("main"))->GetCommands();
  EXPECT_EQ(commands->GetCount(), 11);  // the unknown type made no command
  EXPECT_EQ(game->GetCustomSettings()->Get(Variant("gone"))->GetCommands()->GetCount(), 0);
}

TEST_F(CustomSettingsAtStart, SavedAsLoaded) {
  Start(
      R"(<custom_settings><custom_setting name="a" filename="f.xml" key="k"/><custom_setting name="b" filename="g.xml"/></custom_settings>)");
  StorageRootRef out = CreateStorage("custom_settings");
  game->GetCustomSettings()->SaveToStorage(out->GetRoot());
  const std::string text = out->SaveToString();
  EXPECT_NE(text.find(R"(<custom_setting name="a" filename="f.xml" key="k")"), std::string::npos) << text;
  EXPECT_NE(text.find(R"(<custom_setting name="b" filename="g.xml")"), std::string::npos) << text;
  EXPECT_EQ(text.find(R"(key="")"), std::string::npos) << text;
}

}  // namespace
}  // namespace kestrelle
