// The story screens on the real game object: a conversation walked line by line, the medals of
// a level, the introduction told from its beginning at every showing, and a scene that ends by
// sending a command to a control.

#include <gtest/gtest.h>

#include <string>

#include "app/game.h"
#include "data/hier_storage.h"
#include "support/scoped_user_folder.h"
#include "support/widget_harness.h"

namespace kestrelle {
namespace {

// A factory of a visible group named `widget` (the factory's own name by default), placed where
// the parameters say.
std::string Factory(const std::string& name, const std::string& widget = {}) {
  return R"(<widgetfactory name=")" + name +
         R"(" widgetstring="&lt;widget type=&quot;group_widget&quot; visible=&quot;yes&quot; name=&quot;)" +
         (widget.empty() ? name : widget) +
         R"(&quot; anchor_left=&quot;%anchor_left%&quot; anchor_top=&quot;%anchor_top%&quot;/&gt;"/>)";
}

// A speech bubble: its text and person are extra parameters, its buttons sit in "buttons".
std::string Bubble(const char* name) {
  return std::string(R"(<widget type="group_widget" name=")") + name + R"(" extraparams="\text=\pers="><widgets>
      <widget type="text_widget" name="text"/>
      <widget type="group_widget" name="buttons"><widgets>
        <widget type="group_widget" name="button_yes"/><widget type="group_widget" name="button_no"/>
        <widget type="group_widget" name="button_next"/><widget type="group_widget" name="button_close"/>
      </widgets></widget></widgets></widget>)";
}

std::string GameXml() {
  return R"(<game type="Game" name="g">
  <gamescreens>
    <gamescreen type="KestrelleGameScreenMain" name="GS_Main"><window/>
      <map_defs><map_def name="Garden"><map_objects>
        <map_object factory_name="tree"/><map_object factory_name="nothing"/><map_object factory_name="fence"/>
      </map_objects></map_def></map_defs>
      <dialogues>
        <dialogue name="coffee"
            extraparams="back=Garden\pers_count=2\pers1=ann\x1=10\y1=20\persline1=line_left\pers2=bob\x2=300\y2=25\persline2=line_right">
          <lines>
            <line name="l1" extraparams="pers=ann\text=Hello\type=single\next_line=l2"/>
            <line name="l2" extraparams="pers=bob\text=Coffee?\type=dual\next_line_yes=l3\next_line_no=nowhere"/>
            <line name="l3" extraparams="pers=ann\text=Yes please\type=single"/>
          </lines>
        </dialogue>
      </dialogues>
    </gamescreen>
    <gamescreen type="KestrelleGameScreenDialogue" name="GS_Dialogue"><window>
      <widgetfactories>)" +
         Factory("person_ann", "ann") + Factory("person_bob", "bob") + Factory("tree") + Factory("fence") +
         R"(</widgetfactories>
      <widgets>
        <widget type="group_widget" name="shop_back"/>
        <widget type="group_widget" name="persons"/>)" +
         Bubble("line_left") + Bubble("line_right") + R"(
      </widgets></window></gamescreen>
    <gamescreen type="KestrelleGameScreenNewAward" name="GS_NewAward"><window>
      <widgetfactories>)" +
         Factory("award_time") + Factory("award_clients") + Factory("award_6_shops") + R"(</widgetfactories>
      <widgets>
        <widget type="group_widget" name="scenario_group"><widgets><widget type="group_widget" name="old"/></widgets></widget>
        <widget type="group_widget" name="awards"/>
        <widget type="group_widget" name="button_ok"/>
      </widgets></window></gamescreen>
    <gamescreen type="KestrelleGameScreenHistory" name="GS_History"><window><widgets>
      <widget type="group_widget" name="scenarios" visible="yes"><widgets>
        <widget type="flash_scenario" name="show_00" paused="yes" duration="1000" linked_widget_name="../frames/f1"
            properties="anchor_left" value="505"/>
        <widget type="flash_scenario" name="show_01" duration="1000"/>
      </widgets></widget>
      <widget type="group_widget" name="texts"><widgets><widget type="group_widget" name="t1" visible="yes"/></widgets></widget>
      <widget type="group_widget" name="frames"><widgets>
        <widget type="group_widget" name="f1" extraparams="\init_x=5\init_y=6.5"/>
      </widgets></widget>
      <widget type="group_widget" name="under_00"/><widget type="group_widget" name="under_01" visible="yes"/>
      <widget type="rect_widget" name="frame_black" transparentlevel="255"/>
      <widget type="group_widget" name="button_skip"/><widget type="group_widget" name="button_next" visible="yes"/>
    </widgets></window></gamescreen>
    <gamescreen type="GameScreen" name="GS_Below"/>
  </gamescreens>
</game>)";
}

class StoryScreens : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureGameClassesRegistered();
    engine_ = std::make_shared<testing::FakeEngine>();
    engine_->Initialize();
    game_ = Create<TGame>();
    game_->LoadFromStorage(LoadStorageFromString(GameXml()));
    game_->StartGame(engine_);
    game_->ShowScreen("GS_Below", nullptr);
  }
  void TearDown() override { game_->EndGame(); }

  GameScreenRef Screen(const std::string& name) { return game_->GetScreens()->Get(Variant(name)); }
  WidgetRef Widget(const std::string& screen, const std::string& path) {
    return Screen(screen)->GetWindowInterface()->FindWidget(path);
  }
  bool Visible(const std::string& screen, const std::string& path) { return Widget(screen, path)->GetVisible(); }
  void Show(const std::string& screen, std::initializer_list<std::pair<const char*, const char*>> values) {
    ParamsRef params = CreateParams();
    for (const auto& [key, value] : values) params->SetValue(key, Variant(std::string(value)));
    ASSERT_TRUE(game_->ShowScreen(screen, params));
    Frames(1);
  }
  void Frames(int count) {
    for (int i = 0; i < count; ++i) {
      game_->Update(10);
      game_->AfterUpdate();  // the dirty pass: widgets take the next update again
    }
  }
  void Press(const std::string& screen, const std::string& button, int32_t code = 1) {
    WidgetRef sender = Widget(screen, button);
    std::dynamic_pointer_cast<IEventHandler>(Screen(screen))->HandleWidgetEvent(sender, code, nullptr);
    Frames(1);
  }
  std::vector<std::string> Children(const std::string& screen, const std::string& group) {
    std::vector<std::string> names;
    WidgetCollectionRef widgets = Widget(screen, group)->GetWidgets();
    for (int i = 0; i < widgets->GetCount(); ++i) names.push_back(widgets->GetByIndex(i)->GetName());
    return names;
  }
  // "yes", "no", "next", "close": which buttons of a bubble show.
  std::string Buttons(const std::string& bubble) {
    std::string shown;
    for (const char* button : {"yes", "no", "next", "close"})
      if (Widget("GS_Dialogue", bubble + "/buttons/button_" + button)->GetVisible()) shown += button + std::string(" ");
    return shown;
  }
  std::string Top() { return game_->GetStack()->Get(Variant(game_->GetStack()->GetCount() - 1))->GetName(); }

  testing::ScopedUserFolder userFolder_{"story-screens"};
  std::shared_ptr<testing::FakeEngine> engine_;
  std::shared_ptr<TGame> game_;
};

TEST_F(StoryScreens, AConversationWalksItsLinesThroughTheSpeakersBubbles) {
  Show("GS_Dialogue", {{"dialog_id", "coffee"}});
  EXPECT_EQ(Children("GS_Dialogue", "shop_back"), (std::vector<std::string>{"tree", "fence"}))
      << "a factory that makes nothing is skipped";
  ASSERT_EQ(Children("GS_Dialogue", "persons"), (std::vector<std::string>{"ann", "bob"}));
  EXPECT_EQ(Widget("GS_Dialogue", "persons/bob")->GetAnchorLeft(), 300);
  EXPECT_EQ(Widget("GS_Dialogue", "persons/bob")->GetAnchorTop(), 25);
  EXPECT_EQ(Widget("GS_Dialogue", "line_right")->GetProperty("pers").ToString(), "bob");

  // A statement with a following line: next, and Ann speaks while Bob waits.
  EXPECT_TRUE(Visible("GS_Dialogue", "line_left"));
  EXPECT_FALSE(Visible("GS_Dialogue", "line_right"));
  EXPECT_EQ(Widget("GS_Dialogue", "line_left")->GetProperty("text").ToString(), "Hello");
  EXPECT_EQ(Widget("GS_Dialogue", "line_left/text")->GetProperty("text").ToString(), "Hello")
      << "the bubble's own text widget shows the words";
  EXPECT_EQ(Buttons("line_left"), "next ");
  EXPECT_FALSE(Widget("GS_Dialogue", "persons/ann")->GetPaused());
  EXPECT_TRUE(Widget("GS_Dialogue", "persons/bob")->GetPaused());

  // A question: only yes or no go on; next does nothing.
  Press("GS_Dialogue", "line_left/buttons/button_next");
  EXPECT_FALSE(Visible("GS_Dialogue", "line_left"));
  EXPECT_TRUE(Visible("GS_Dialogue", "line_right"));
  EXPECT_EQ(Widget("GS_Dialogue", "line_right")->GetProperty("text").ToString(), "Coffee?");
  EXPECT_EQ(Buttons("line_right"), "yes no ");
  EXPECT_TRUE(Widget("GS_Dialogue", "persons/ann")->GetPaused());
  Press("GS_Dialogue", "line_right/buttons/button_next");
  Press("GS_Dialogue", "line_right/buttons/button_no");  // names no line: nothing changes
  EXPECT_EQ(Widget("GS_Dialogue", "line_right")->GetProperty("text").ToString(), "Coffee?");
  EXPECT_TRUE(Visible("GS_Dialogue", "line_right"));

  // The last statement closes.
  Press("GS_Dialogue", "line_right/buttons/button_yes");
  EXPECT_EQ(Widget("GS_Dialogue", "line_left")->GetProperty("text").ToString(), "Yes please");
  EXPECT_EQ(Buttons("line_left"), "close ");
  Press("GS_Dialogue", "line_left/buttons/button_close");
  EXPECT_EQ(Top(), "GS_Below");

  // Shown again: the persons are made anew and the conversation starts over.
  Show("GS_Dialogue", {{"dialog_id", "coffee"}});
  EXPECT_EQ(Children("GS_Dialogue", "persons"), (std::vector<std::string>{"ann", "bob"}));
  EXPECT_EQ(Widget("GS_Dialogue", "line_left")->GetProperty("text").ToString(), "Hello");
  EXPECT_FALSE(Visible("GS_Dialogue", "line_right"));
}

TEST_F(StoryScreens, AnUnknownDialogueLeavesTheScreenEmpty) {
  Show("GS_Dialogue", {{"dialog_id", "nothing"}});
  EXPECT_TRUE(Children("GS_Dialogue", "persons").empty());
  EXPECT_FALSE(Visible("GS_Dialogue", "line_left"));
  EXPECT_FALSE(Visible("GS_Dialogue", "line_right"));
}

TEST_F(StoryScreens, TheAwardScreenShowsTheMedalsOfThisLevelOnly) {
  Show("GS_NewAward", {{"TrophyClientsServed", "yes"}, {"TrophyShopsServedAll", "yes"}, {"TrophyExpertTime", "no"}});
  EXPECT_TRUE(Children("GS_NewAward", "scenario_group").empty());
  EXPECT_EQ(Children("GS_NewAward", "awards"), (std::vector<std::string>{"award_clients", "award_6_shops"}));
  Press("GS_NewAward", "awards", 1);  // not the ok button
  Press("GS_NewAward", "button_ok", 2);
  EXPECT_EQ(Top(), "GS_NewAward") << "only a click closes it";
  Press("GS_NewAward", "button_ok", 1);
  EXPECT_EQ(Top(), "GS_Below");

  Show("GS_NewAward", {{"TrophyExpertTime", "yes"}});
  EXPECT_EQ(Children("GS_NewAward", "awards"), (std::vector<std::string>{"award_time"}));
}

TEST_F(StoryScreens, TheStoryStartsFromItsBeginningAtEveryShowing) {
  for (int showing = 0; showing < 2; ++showing) {
    SCOPED_TRACE(showing);
    Show("GS_History", {});
    EXPECT_FALSE(Widget("GS_History", "scenarios/show_00")->GetPaused());
    EXPECT_TRUE(Widget("GS_History", "scenarios/show_01")->GetPaused());
    EXPECT_FALSE(Visible("GS_History", "texts/t1"));
    EXPECT_TRUE(Visible("GS_History", "under_00"));
    EXPECT_FALSE(Visible("GS_History", "under_01"));
    EXPECT_EQ(Widget("GS_History", "frame_black")->GetTransparentLevel(), 0);
    EXPECT_TRUE(Visible("GS_History", "button_skip"));
    EXPECT_FALSE(Visible("GS_History", "button_next"));
    EXPECT_EQ(Widget("GS_History", "frames/f1")->GetAnchorTop(), 6.5);
    EXPECT_NEAR(Widget("GS_History", "frames/f1")->GetAnchorLeft(), 5, 10) << "at the start of the first scene";
    // The first scene moves the frame; the story is left half told.
    Frames(50);
    EXPECT_GT(Widget("GS_History", "frames/f1")->GetAnchorLeft(), 100);
    Widget("GS_History", "texts/t1")->SetVisible(true);
    Widget("GS_History", "scenarios/show_01")->SetPaused(false);
    game_->CloseScreen(Screen("GS_History"), nullptr);
    Frames(1);
  }
}

TEST(SceneControl, EndsBySendingItsCommandWithUpperCaseKeys) {
  testing::EnsureGameClassesRegistered();
  // The map control answers "map_tutor" finished (command 11) with the tour's notification; the
  // scenes with a broken number, with -1 or without a receiver send nothing.
  testing::WidgetHarness h(R"(
    <widget type="KestrelleControlMap" name="map" visible="yes"/>
    <widget type="flash_scenario_control" visible="yes" name="sends" duration="0" next="execute_command:11"
        command_params="scenario_to_finalize=map_tutor\scenario_to_finalize=map_pause" extraparams="\control_name=../map"/>
    <widget type="flash_scenario_control" visible="yes" name="letters" duration="0" next="execute_command:eleven"
        command_params="scenario_to_finalize=map_tutor" extraparams="\control_name=../map"/>
    <widget type="flash_scenario_control" visible="yes" name="minus" duration="0" next="execute_command:-1"
        command_params="scenario_to_finalize=map_tutor" extraparams="\control_name=../map"/>
    <widget type="flash_scenario_control" visible="yes" name="lost" duration="0" next="execute_command:11"
        command_params="scenario_to_finalize=map_tutor" extraparams="\control_name=../nobody"/>)");
  h.Frame(10);
  ASSERT_EQ(h.screen->events.size(), 1u);
  EXPECT_EQ(h.screen->events[0].sender, "map");
  EXPECT_EQ(h.screen->events[0].code, 32793);
  EXPECT_EQ(h.Prop("sends/command_params").ToString(),
            R"(scenario_to_finalize=map_tutor\scenario_to_finalize=map_pause)");
}

}  // namespace
}  // namespace kestrelle
