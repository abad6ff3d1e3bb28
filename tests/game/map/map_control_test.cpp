// The town map on the real game object: a two-shop game of two levels each. Levels are played,
// replayed and booked; every booking is on disk at once; the map follows the player from shop to
// shop.

#include "game/map/map_control.h"

#include <gtest/gtest.h>

#include <string>

#include "app/game.h"
#include "app/game_screen.h"
#include "data/hier_storage.h"
#include "platform/messages.h"
#include "records/user_profiles.h"
#include "support/scoped_user_folder.h"
#include "support/widget_harness.h"

namespace kestrelle {
namespace {

// A calendar day or a shop icon: one 40 x 40 look per state.
std::string Looks(std::initializer_list<const char*> names, const char* inner = "") {
  std::string xml;
  for (const char* name : names)
    xml += std::string(R"(<widget type="group_widget" name=")") + name +
           R"(" visible="no"><widgets><widget visible="yes" type="rect_widget" name="face" width="40" height="40"/>)" +
           inner + "</widgets></widget>";
  return xml;
}

std::string Day(int number, int left) {
  return R"(<widget visible="yes" type="KestrelleMapLevel" name=")" + std::to_string(number) + R"(" anchor_left=")" +
         std::to_string(left) + R"(" anchor_top="100"><widgets>)" +
         Looks({"locked", "current", "completed", "available", "award_time", "award_service"}) + "</widgets></widget>";
}

std::string ShopIcon(const char* name, int left) {
  return std::string(R"(<widget visible="yes" type="KestrelleIconShop" name=")") + name + R"(" anchor_left=")" +
         std::to_string(left) + R"(" anchor_top="400"><widgets>)" +
         Looks({"locked", "current", "completed"}, R"(<widget type="rect_widget" name="highlight" visible="no"/>)") +
         "</widgets></widget>";
}

std::string GameXml(bool guidedLevel = true) {
  std::string xml = R"(<game type="Game" name="g">
  <params><param name="DefaultShopName" value="ShopGarden"/></params>
  <gamescreens>
    <gamescreen type="KestrelleGameScreenMain" name="GS_Main"><window/>
      <map_defs>
        <map_def name="ShopGarden"><map_objects><map_object factory_name="tree"/></map_objects></map_def>
        <map_def name="ShopBakery"><map_objects><map_object factory_name="oven"/></map_objects></map_def>
      </map_defs>
      <shop_defs>
        <shop_def name="ShopGarden" extraparams="first_level=1\last_level=2"/>
        <shop_def name="ShopBakery" extraparams="first_level=3\last_level=4"/>
      </shop_defs>
      <levels>
        <level level="1"/>
        <level level="2"><properties><param name="dialog_id" value="d2"/></properties></level>
        <level level="3"/><level level="4"/>
      </levels>
    </gamescreen>
    <gamescreen type="KestrelleGameScreenMap" name="GS_Map"><window>
      <widgetfactories>
        <widgetfactory name="tree" widgetstring="&lt;widget visible=&quot;yes&quot; type=&quot;rect_widget&quot; name=&quot;tree&quot;/&gt;"/>
        <widgetfactory name="oven" widgetstring="&lt;widget visible=&quot;yes&quot; type=&quot;rect_widget&quot; name=&quot;oven&quot;/&gt;"/>
      </widgetfactories>
      <widgets>
        <widget visible="yes" type="group_widget" name="bg_group"/>
        <widget visible="yes" type="group_widget" name="bottom"><widgets><widget visible="yes" type="text_widget" name="money"/></widgets></widget>
        <widget visible="yes" type="group_widget" name="button_play"/>
        <widget type="flash_scenario_control" name="map_hide" paused="yes" duration="100" next="execute_command:11"
            command_params="scenario_to_finalize=map_hide" extraparams="\control_name=../map_control"/>
        <widget type="flash_scenario" name="map_show" paused="yes"/>
        <widget type="flash_scenario_control" name="map_pause" paused="yes" duration="50" next="execute_command:11"
            command_params="scenario_to_finalize=map_pause" extraparams="\control_name=../map_control"/>
        <widget visible="yes" type="KestrelleControlMap" name="map_control" width="800" height="600" mousestop="yes"><widgets>
          <widget visible="yes" type="group_widget" name="scenario_group"/>
          <widget visible="yes" type="group_widget" name="calender_group"><widgets>
            <widget visible="yes" type="rect_widget" name="calender_image" width="800" height="300"/>)" +
                    Day(1, 100) + Day(2, 200) + R"(
          </widgets></widget>
          <widget visible="yes" type="group_widget" name="shop_icon_group"><widgets>
            <widget visible="yes" type="rect_widget" name="icon_panel" anchor_top="380" width="800" height="100"/>)" +
                    ShopIcon("ShopGarden", 100) + ShopIcon("ShopBakery", 200) + R"(
          </widgets></widget>
        </widgets></widget>
      </widgets></window></gamescreen>
    <gamescreen type="GS_Replay" name="GS_Replay"><window><widgets>
      <widget visible="yes" type="text_widget" name="old_money"/><widget visible="yes" type="text_widget" name="new_money"/>
      <widget visible="yes" type="text_widget" name="add_money"/>
    </widgets></window></gamescreen>
    <gamescreen type="GameScreen" name="GS_GameMain"/>
    <gamescreen type="GameScreen" name="GS_Dialogue"/>
    <gamescreen type="GameScreen" name="GS_GameTutorial"/>
    <gamescreen type="GameScreen" name="GS_LastShopLevel"/>
    <gamescreen type="GameScreen" name="GS_ShopLocked"/>
    <gamescreen type="GameScreen" name="GS_ShopCompleted"/>
    <gamescreen type="GameScreen" name="GS_MapFirstTime"/>
    <gamescreen type="GameScreen" name="GS_MapTutorial"/>
    <gamescreen type="GameScreen" name="GS_Actions"/>
    <gamescreen type="GameScreen" name="GS_CompleteTasks"/>
    <gamescreen type="GameScreen" name="GS_Final"/>
    <gamescreen type="GameScreen" name="GS_HighScores"/>
    <gamescreen type="GameScreen" name="GS_GameCompleted"/>
  </gamescreens>
</game>)";
  const std::string guided = R"(<gamescreen type="GameScreen" name="GS_GameTutorial"/>)";
  if (!guidedLevel) xml.erase(xml.find(guided), guided.size());
  return xml;
}

class MapControl : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureGameClassesRegistered();
    engine_ = std::make_shared<testing::FakeEngine>();
    engine_->Initialize();
    game_ = Create<TGame>();
    game_->LoadFromStorage(LoadStorageFromString(GameXml(WithGuidedLevel())));
    game_->StartGame(engine_);
    game_->GetProfiles()->GetOrCreate("Ann");
    game_->GetProfiles()->SetCurrent("Ann");
  }
  void TearDown() override { game_->EndGame(); }
  virtual bool WithGuidedLevel() const { return true; }

  // Tours and the first-time screens already seen.
  void SetProfile(std::initializer_list<std::pair<const char*, const char*>> values) {
    ParamsRef profile = game_->GetProfiles()->GetCurrent()->GetParams();
    for (const char* seen : {"show_map", "show_calendar_tutor", "show_room_tutor", "show_tutorial"})
      profile->SetValue(seen, Variant(std::string("yes")));
    for (const auto& [key, value] : values) profile->SetValue(key, Variant(std::string(value)));
  }
  std::string Profile(const std::string& key) {
    return game_->GetProfiles()->GetCurrent()->GetParams()->GetValue(key, Variant()).ToString();
  }
  // The profile as the player file holds it now.
  std::string Saved(const std::string& key) {
    auto profiles = Create<TUserProfileCollection>();
    profiles->LoadFromFile();
    UserProfileRef ann = profiles->GetProfile(Variant(std::string("Ann")));
    return ann ? ann->GetParams()->GetValue(key, Variant()).ToString() : "(no player)";
  }

  void Frames() {
    for (int i = 0; i < 3; ++i) {
      game_->Update(10);
      game_->AfterUpdate();
    }
  }
  GameScreenRef Screen(const std::string& name) { return game_->GetScreens()->Get(Variant(name)); }
  WidgetRef Widget(const std::string& path) { return Screen("GS_Map")->GetWindowInterface()->FindWidget(path); }
  std::string State(const std::string& path, const char* property) {
    return Widget("map_control/" + path)->GetProperty(property).ToString();
  }
  std::string ShownShop() {
    return std::dynamic_pointer_cast<TKestrelleControlMap>(Widget("map_control"))->GetShownShop();
  }
  // The top screen of the game, with the parameters it was shown with.
  std::string Top() {
    const auto& stack = game_->GetStack();
    return stack->Get(Variant(stack->GetCount() - 1))->GetName();
  }
  std::string TopParam(const std::string& key) {
    auto screen = std::dynamic_pointer_cast<TGameScreen>(Screen(Top()));
    return screen && screen->GetParams() ? screen->GetParams()->GetValue(key, Variant()).ToString() : "";
  }
  void Open() {
    game_->ShowScreen("GS_Map", nullptr);
    Frames();
  }
  void Close(const std::string& screen, std::initializer_list<std::pair<const char*, const char*>> result) {
    ParamsRef params = CreateParams();
    for (const auto& [key, value] : result) params->SetValue(key, Variant(std::string(value)));
    game_->CloseScreen(Screen(screen), result.size() ? params : nullptr);
    Frames();
  }
  void Play() {
    std::dynamic_pointer_cast<IEventHandler>(Screen("GS_Map"))->HandleWidgetEvent(Widget("button_play"), 1, nullptr);
    Frames();
  }
  void Click(int x, int y) {
    Screen("GS_Map")->MouseEvent(WM_LBUTTONDOWN, TPoint{x, y}, 0);
    Screen("GS_Map")->MouseEvent(WM_LBUTTONUP, TPoint{x, y}, 0);
    Frames();
  }

  testing::ScopedUserFolder userFolder_{"map-control"};  // first: removed after everything else
  std::shared_ptr<testing::FakeEngine> engine_;
  std::shared_ptr<TGame> game_;
};

TEST_F(MapControl, FirstPlayAndReplayAreBookedAndSavedAtOnce) {
  SetProfile({});
  Open();
  EXPECT_EQ(ShownShop(), "ShopGarden");
  EXPECT_TRUE(Widget("bg_group/tree"));
  EXPECT_EQ(State("calender_group/1", "map_level_state"), "current");
  EXPECT_EQ(State("calender_group/2", "map_level_state"), "locked");
  EXPECT_EQ(State("shop_icon_group/ShopGarden", "icon_state"), "current");
  EXPECT_EQ(State("shop_icon_group/ShopBakery", "icon_state"), "locked");

  Play();
  ASSERT_EQ(Top(), "GS_GameMain");
  EXPECT_EQ(TopParam("level"), "1");
  EXPECT_EQ(TopParam("replay"), "no");
  EXPECT_EQ(TopParam("shop_name"), "ShopGarden");

  Close("GS_GameMain", {{"level_completed", "yes"},
                        {"Level", "1"},
                        {"Replay", "no"},
                        {"total_money_earned", "100"},
                        {"clients_served", "5"},
                        {"expert_time", "yes"},
                        {"expert_patience", "no"}});
  EXPECT_EQ(Saved("current_level"), "2") << "the booking is on disk before the next screen";
  EXPECT_EQ(Saved("total_money"), "100");
  EXPECT_EQ(Saved("level_expert_time_1"), "yes");
  EXPECT_EQ(State("calender_group/1", "map_level_state"), "completed");
  EXPECT_TRUE(Widget("map_control/calender_group/1/award_time")->GetVisible());
  EXPECT_FALSE(Widget("map_control/calender_group/1/award_service")->GetVisible());
  EXPECT_EQ(Widget("bottom/money")->GetProperty("text").ToString(), "100");
  // Level 2 opens with its dialogue, once; then the level itself.
  ASSERT_EQ(Top(), "GS_Dialogue");
  EXPECT_EQ(TopParam("dialog_id"), "d2");
  EXPECT_EQ(Profile("show_dialog_d2"), "yes");
  Close("GS_Dialogue", {});
  ASSERT_EQ(Top(), "GS_GameMain");
  EXPECT_EQ(TopParam("level"), "2");

  // Left through the menu: nothing is booked.
  Close("GS_GameMain", {{"level_completed", "no"}, {"Level", "2"}, {"total_money_earned", "500"}});
  EXPECT_EQ(Top(), "GS_Map");
  EXPECT_EQ(Saved("current_level"), "2");
  EXPECT_EQ(Saved("total_money"), "100");

  // A replay of day 1 raises the money by the improvement only.
  Click(110, 110);
  ASSERT_EQ(Top(), "GS_GameMain");
  EXPECT_EQ(TopParam("level"), "1");
  EXPECT_EQ(TopParam("replay"), "yes");
  Close("GS_GameMain", {{"level_completed", "yes"},
                        {"Level", "1"},
                        {"Replay", "yes"},
                        {"total_money_earned", "160"},
                        {"clients_served", "9"}});
  EXPECT_EQ(Saved("total_money"), "160");
  EXPECT_EQ(Saved("level_total_money_1"), "160");
  EXPECT_EQ(Saved("current_level"), "2");
  EXPECT_EQ(Saved("clients_served"), "5");
  ASSERT_EQ(Top(), "GS_Replay");
  auto replay = Screen("GS_Replay")->GetWindowInterface();
  EXPECT_EQ(replay->FindWidget("old_money")->GetProperty("text").ToString(), "100");
  EXPECT_EQ(replay->FindWidget("new_money")->GetProperty("text").ToString(), "160");
  EXPECT_EQ(replay->FindWidget("add_money")->GetProperty("text").ToString(), "60");
}

TEST_F(MapControl, AFinishedShopMovesTheMapOnOnlyWhenItsScreenCloses) {
  SetProfile({{"current_level", "2"}, {"show_dialog_d2", "yes"}, {"total_money", "40"}});
  Open();
  // A locked shop says so; the current one does nothing; a locked day does nothing.
  Click(210, 410);
  EXPECT_EQ(Top(), "GS_ShopLocked");
  Close("GS_ShopLocked", {});
  Click(110, 410);
  Click(250, 500);
  EXPECT_EQ(Top(), "GS_Map");

  Play();
  Close("GS_GameMain", {{"level_completed", "yes"}, {"Level", "2"}, {"Replay", "no"}, {"total_money_earned", "10"}});
  EXPECT_EQ(Saved("shop_completed_ShopGarden"), "yes");
  EXPECT_EQ(Saved("shops_completed"), "1");
  ASSERT_EQ(Top(), "GS_LastShopLevel");
  EXPECT_EQ(TopParam("finished_shop"), "ShopGarden");
  EXPECT_EQ(ShownShop(), "ShopGarden");
  EXPECT_EQ(State("calender_group/2", "map_level_state"), "completed");

  Close("GS_LastShopLevel", {});
  EXPECT_EQ(Top(), "GS_Map");
  EXPECT_EQ(ShownShop(), "ShopBakery");
  EXPECT_TRUE(Widget("bg_group/oven"));
  EXPECT_FALSE(Widget("bg_group/tree"));
  EXPECT_EQ(State("calender_group/1", "map_level_state"), "current") << "day 1 of the bakery is level 3";
  EXPECT_EQ(State("shop_icon_group/ShopGarden", "icon_state"), "completed");
  EXPECT_EQ(State("shop_icon_group/ShopBakery", "icon_state"), "current");

  // Back to the finished shop: the map hides, is rebuilt and shows again. Its days can be
  // replayed, but play asks for the current shop.
  Click(110, 410);
  EXPECT_EQ(ShownShop(), "ShopGarden");
  EXPECT_TRUE(Widget("map_show")->GetPaused());
  EXPECT_TRUE(Widget("bg_group/oven")) << "still hiding";
  for (int i = 0; i < 3; ++i) Frames();
  EXPECT_TRUE(Widget("bg_group/tree"));
  EXPECT_FALSE(Widget("map_show")->GetPaused());
  EXPECT_EQ(State("shop_icon_group/ShopGarden", "icon_state"), "current");
  Play();
  EXPECT_EQ(Top(), "GS_ShopCompleted");
  Close("GS_ShopCompleted", {});
  Click(210, 110);
  ASSERT_EQ(Top(), "GS_GameMain");
  EXPECT_EQ(TopParam("level"), "2");
  EXPECT_EQ(TopParam("replay"), "yes");
}

TEST_F(MapControl, APendingDialogueWaitsForTheMapsPauseAndTheGuidedLevelComesFirst) {
  SetProfile({{"current_level", "2"}, {"show_tutorial", "no"}});
  Open();
  EXPECT_EQ(Top(), "GS_Map") << "the map pauses before the dialogue";
  for (int i = 0; i < 2; ++i) Frames();
  ASSERT_EQ(Top(), "GS_Dialogue");
  EXPECT_EQ(TopParam("dialog_id"), "d2");
  Close("GS_Dialogue", {});
  ASSERT_EQ(Top(), "GS_GameTutorial");
  EXPECT_EQ(TopParam("level"), "2");
  EXPECT_EQ(TopParam("shop_name"), "ShopGarden");
  Close("GS_GameTutorial", {});
  ASSERT_EQ(Top(), "GS_GameMain");
  EXPECT_EQ(TopParam("level"), "2");
  EXPECT_EQ(TopParam("replay"), "no");
  // Seen once: the next visit of the map goes straight on.
  Close("GS_GameMain", {});
  game_->CloseScreen(Screen("GS_Map"), nullptr);
  Open();
  for (int i = 0; i < 2; ++i) Frames();
  EXPECT_EQ(Top(), "GS_Map");
}

// A game without the guided level screen goes from the first dialogue straight to the level.
class MapControlWithoutGuidedLevel : public MapControl {
 protected:
  bool WithGuidedLevel() const override { return false; }
};

TEST_F(MapControlWithoutGuidedLevel, TheClosedDialogueStartsTheLevel) {
  ASSERT_EQ(Screen("GS_GameTutorial"), nullptr);
  SetProfile({{"current_level", "2"}, {"show_tutorial", "no"}});
  Open();
  for (int i = 0; i < 2; ++i) Frames();
  ASSERT_EQ(Top(), "GS_Dialogue");
  Close("GS_Dialogue", {});
  ASSERT_EQ(Top(), "GS_GameMain");
  EXPECT_EQ(TopParam("level"), "2");
  EXPECT_EQ(TopParam("replay"), "no");
}

TEST_F(MapControl, HoverHighlightsOneShopIconAtATime) {
  SetProfile({{"current_level", "3"}});
  Open();
  Screen("GS_Map")->MouseEvent(WM_MOUSEMOVE, TPoint{110, 410}, 0);
  EXPECT_TRUE(Widget("map_control/shop_icon_group/ShopGarden/completed/highlight")->GetVisible());
  Screen("GS_Map")->MouseEvent(WM_MOUSEMOVE, TPoint{210, 410}, 0);
  EXPECT_FALSE(Widget("map_control/shop_icon_group/ShopGarden/completed/highlight")->GetVisible());
  EXPECT_TRUE(Widget("map_control/shop_icon_group/ShopBakery/current/highlight")->GetVisible());
}

TEST_F(MapControl, TheFirstVisitOpensTheFirstTimeScreenOnTopOfTheMap) {
  Open();
  EXPECT_EQ(Top(), "GS_MapFirstTime");
  EXPECT_EQ(Profile("show_map"), "yes");
  EXPECT_FALSE(Screen("GS_Map")->FlushChanges()) << "the map waits below, inactive";
  Close("GS_MapFirstTime", {});
  Open();
  EXPECT_EQ(Top(), "GS_Map");
}

// Every level played: the map asks for the last task until it is done; then the actions closing
// tells the end once and hands the score (the best money of every level) to the high scores.
TEST_F(MapControl, TheEndOfTheGameIsToldOnceAndItsScoreGoesToTheHighScores) {
  SetProfile({{"current_level", "49"}, {"level_total_money_1", "100"}, {"level_total_money_4", "250"}});
  Open();
  ASSERT_EQ(Top(), "GS_CompleteTasks");
  Close("GS_CompleteTasks", {});
  game_->ShowScreen("GS_Actions", nullptr);
  Close("GS_Actions", {{"continue_play", "yes"}});
  EXPECT_EQ(Top(), "GS_Map") << "the last task is still open";

  // The last task done on the actions screen.
  game_->ShowScreen("GS_Actions", nullptr);
  game_->GetProfiles()->GetCurrent()->GetParams()->SetValue("game_completed", Variant(std::string("yes")));
  Close("GS_Actions", {{"continue_play", "yes"}});
  ASSERT_EQ(Top(), "GS_Final");
  EXPECT_EQ(Saved("show_final"), "yes");
  Close("GS_Final", {});
  ASSERT_EQ(Top(), "GS_HighScores");
  EXPECT_EQ(TopParam("Score"), "350");
  EXPECT_EQ(TopParam("Player"), "Ann");
  Close("GS_HighScores", {});
  Play();
  EXPECT_EQ(Top(), "GS_GameCompleted");
  Close("GS_GameCompleted", {});

  // Told once: later visits of the actions and the map go on quietly.
  game_->ShowScreen("GS_Actions", nullptr);
  Close("GS_Actions", {});
  EXPECT_EQ(Top(), "GS_Map");
  game_->CloseScreen(Screen("GS_Map"), nullptr);
  Open();
  EXPECT_EQ(Top(), "GS_Map");
}

}  // namespace
}  // namespace kestrelle
