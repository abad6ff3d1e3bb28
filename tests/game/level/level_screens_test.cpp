// The screens around a level and the level-time bar: the tool choice counts its free slots and
// answers with the ticked tools, the introduction lists the level's new items, the results screen
// fills its lines and starts its reveal, the tool tip names its text, and the time bar shrinks
// with the time left and reports when the time is up.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "controls/control_widget.h"
#include "data/data_files.h"
#include "data/xml_escape.h"
#include "game/content/level_def_refs.h"
#include "game/level/control_timer.h"
#include "game/level/level_codes.h"
#include "game/level/screen_start_tool_level.h"
#include "level_game_fixture.h"

namespace kestrelle {
namespace {

std::string Factory(const std::string& name, const std::string& widget) {
  return "<widgetfactory name=\"" + name + "\" widgetstring=\"" + EscapeXmlAttribute(widget) + "\"/>";
}

std::string Label(const std::string& name) {
  return R"(<widget type="rect_widget" name=")" + name + R"(" visible="yes" extraparams="\text="/>)";
}

std::string Group(const std::string& name, const std::string& children, const std::string& extra = {}) {
  return R"(<widget type="group_widget" name=")" + name + R"(" visible="yes" extraparams=")" + extra +
         R"("><widgets>)" + children + "</widgets></widget>";
}

const std::string kBaseScreen = R"(<gamescreen type="harness_screen" name="GS_Base"><window/></gamescreen>)";

class LevelScreens : public testing::LevelGameFixture {
 protected:
  void Open(const std::string& screen, const ParamsRef& params) {
    game_->ShowScreen("GS_Base", nullptr);
    Frames();
    ASSERT_TRUE(game_->ShowScreen(screen, params));
    Frames();
  }
  // What the screen answered when it closed.
  ParamsRef Answer() { return std::dynamic_pointer_cast<testing::HarnessScreen>(Screen("GS_Base"))->closedResult; }
  bool Shown(const std::string& screen) { return Screen(screen)->IsShown(); }
};

ParamsRef Params(std::initializer_list<std::pair<std::string, std::string>> values) {
  ParamsRef params = CreateParams();
  for (const auto& [name, value] : values) params->SetValue(name, Variant(value));
  return params;
}

TEST_F(LevelScreens, ToolChoiceTicksNoMoreToolsThanSlotsAndAnswersWithTheTickedOnes) {
  const std::string icon = R"(<widget type="CheckBoxControl" name="%name%" visible="yes" enabled="yes" width="50"
      height="40" extraparams="\type=%type%\quantity=%quantity%\res=%resourcename%"/>)";
  StartGame(kBaseScreen + R"(<gamescreen type="KestrelleGameScreenStartToolLevel" name="GS_StartToolLevel">
      <window><widgetfactories>)" +
            Factory("tool_icon", icon) + "</widgetfactories><widgets>" +
            Group("available_tools", "", R"(\x0_3=100\shift_3=10\x0_2=0\shift_2=0)") + Label("tools_left") +
            Label("popup") + Group("button_ok", "") + "</widgets></window></gamescreen>");
  SetProfile("tool_slots_cnt", "2");
  SetProfile("tool_cnt_Heart_1", "4");
  Open("GS_StartToolLevel", Params({{"level", "7"}, {"profile_tools", "Hint_1;Heart_1;Ice_1;"}}));

  auto iconOf = [&](const std::string& type) { return Widget("GS_StartToolLevel", "available_tools/" + type); };
  ASSERT_TRUE(iconOf("Ice_1"));
  EXPECT_EQ(iconOf("Hint_1")->GetAnchorLeft(), 100);
  EXPECT_EQ(iconOf("Heart_1")->GetAnchorLeft(), 160);
  EXPECT_EQ(iconOf("Ice_1")->GetAnchorLeft(), 220);
  EXPECT_EQ(iconOf("Hint_1")->GetProperty("quantity").ToString(), "1");
  EXPECT_EQ(iconOf("Heart_1")->GetProperty("quantity").ToString(), "4");
  EXPECT_EQ(iconOf("Ice_1")->GetProperty("res").ToString(), "img_StartToolIconIce_1");
  EXPECT_FALSE(iconOf("Ice_1")->GetProperty("CheckBoxState").ToBool());
  EXPECT_EQ(Widget("GS_StartToolLevel", "tools_left")->GetProperty("text").ToString(), "2");

  // Ticks as the check boxes report them: the third tick is taken back.
  auto tick = [&](const std::string& type, bool on) {
    iconOf(type)->SetProperty("CheckBoxState", Variant(on));
    Event("GS_StartToolLevel", "available_tools/" + type, kEventCheckBoxToggled);
    return Widget("GS_StartToolLevel", "tools_left")->GetProperty("text").ToString();
  };
  EXPECT_EQ(tick("Ice_1", true), "1");
  EXPECT_EQ(tick("Hint_1", true), "0");
  EXPECT_EQ(tick("Heart_1", true), "0");
  EXPECT_FALSE(iconOf("Heart_1")->GetProperty("CheckBoxState").ToBool());
  EXPECT_EQ(tick("Hint_1", false), "1");
  EXPECT_EQ(tick("Heart_1", true), "0");

  // The icon under the pointer is described.
  engine_->cursor = TPoint{170, 10};
  Frames();
  EXPECT_TRUE(Widget("GS_StartToolLevel", "popup")->GetVisible());
  EXPECT_EQ(Widget("GS_StartToolLevel", "popup")->GetProperty("text").ToString(), "%desc_Heart_1%");
  engine_->cursor = TPoint{155, 10};  // between two icons
  Frames();
  EXPECT_FALSE(Widget("GS_StartToolLevel", "popup")->GetVisible());

  Event("GS_StartToolLevel", "button_ok", kEventButtonClicked);
  EXPECT_FALSE(Shown("GS_StartToolLevel"));
  ASSERT_TRUE(Answer());
  EXPECT_EQ(Answer()->GetValue("selected_tools", "").ToString(), "Heart_1;Ice_1;");

  // Shown again for fewer tools: the icons are made afresh with that count's layout.
  Open("GS_StartToolLevel", Params({{"level", "8"}, {"profile_tools", "Hint_1;Ice_1;"}}));
  EXPECT_EQ(Widget("GS_StartToolLevel", "available_tools")->GetWidgets()->GetCount(), 2);
  EXPECT_FALSE(iconOf("Ice_1")->GetProperty("CheckBoxState").ToBool());
  EXPECT_EQ(iconOf("Ice_1")->GetAnchorLeft(), 50);
  EXPECT_EQ(Widget("GS_StartToolLevel", "tools_left")->GetProperty("text").ToString(), "2");
}

class LevelIntroduction : public LevelScreens {
 protected:
  void SetUp() override {
    SetDataFileReader([](const std::string& name) -> std::optional<std::string> {
      if (name != "levels/second.xml") return std::nullopt;
      return R"(<level><new_items>
          <item name="rose" extraparams="item_desc=A rose\x=10\y=20\w=60\h=40\res=img_rose"/>
          <item name="mug" extraparams="item_desc=Mug\x=100\y=20\w=80\h=30\res=img_mug"/>
        </new_items></level>)";
    });
    const std::string item = R"(<widget type="group_widget" name="%name%" visible="yes" anchor_left="%anchor_left%"
        anchor_top="%anchor_top%" extraparams="\res=%resourcename%\w=%width%\h=%height%"><widgets>
        <widget type="rect_widget" name="text" visible="yes" extraparams="\text=%text%"/></widgets></widget>)";
    StartGame(kBaseScreen + R"(<gamescreen type="KestrelleGameScreenStartLevel" name="GS_StartLevel"><window>
        <widgetfactories>)" +
              Factory("item", item) + "</widgetfactories><widgets>" +
              Group("items", Group("stale", ""), R"(\total_width=100)") + Group("hint_group", "") +
              Group("button_ok", "") + "</widgets></window></gamescreen>");
    auto levels = Create<TLevelDefRefCollection>();
    levels->LoadFromStorage(LoadStorageFromString(R"(<levels><level level="2"><properties>
        <param name="filename" value="levels/second.xml"/></properties></level></levels>)"));
    game_->SetSetting("level_def_refs", Variant(InterfaceRef(levels)));
  }
  void TearDown() override {
    LevelScreens::TearDown();
    SetDataFileReader({});
  }
  Variant ItemProp(const std::string& path) { return Widget("GS_StartLevel", "items")->GetProperty(path); }
};

TEST_F(LevelIntroduction, ListsTheNewItemsWithTheirTextsAndExplainsThePanelAtLevelTwo) {
  Open("GS_StartLevel", Params({{"level", "2"}, {"profile_tools", "Hint_1;Heart_1;"}}));
  EXPECT_EQ(Widget("GS_StartLevel", "items")->GetWidgets()->GetCount(), 2) << "the group is emptied first";
  EXPECT_EQ(ItemProp("rose/anchor_left").ToInt(), 10);
  EXPECT_EQ(ItemProp("rose/anchor_top").ToInt(), 20);
  EXPECT_EQ(ItemProp("rose/res").ToString(), "img_rose");
  EXPECT_EQ(ItemProp("rose/w").ToString(), "60");
  EXPECT_EQ(ItemProp("rose/text/text").ToString(), "A rose");
  EXPECT_EQ(ItemProp("rose/text/anchor_left").ToInt(), -20);  // (60 - 100) / 2
  EXPECT_EQ(ItemProp("rose/text/anchor_top").ToInt(), 40);
  EXPECT_EQ(ItemProp("mug/text/anchor_left").ToInt(), -10);
  EXPECT_EQ(ItemProp("mug/text/anchor_top").ToInt(), 30);
  EXPECT_TRUE(Widget("GS_StartLevel", "hint_group")->GetVisible());

  Event("GS_StartLevel", "button_ok", kEventButtonClicked);
  ASSERT_TRUE(Answer());
  EXPECT_EQ(Answer()->GetValue("selected_tools", "").ToString(), "Hint_1;Heart_1;");

  // A level the list does not have shows no items and no panel hint.
  Open("GS_StartLevel", Params({{"level", "3"}, {"profile_tools", "Hint_1;"}}));
  EXPECT_EQ(Widget("GS_StartLevel", "items")->GetWidgets()->GetCount(), 0);
  EXPECT_FALSE(Widget("GS_StartLevel", "hint_group")->GetVisible());
}

TEST_F(LevelScreens, ResultsFillTheLinesHideTheMedalsAndTipAndStartTheReveal) {
  const std::string lines = Group("moneyEarned", Label("moneyEarned")) + Group("timeBonus", Label("timeBonus")) +
                            Group("serviceBonus", Label("serviceBonus")) + Group("totalMoney", Label("totalMoney"));
  StartGame(kBaseScreen + R"(<gamescreen type="KestrelleGameScreenStatMain" name="GS_StatMain"><window>
      <widgetfactories>)" +
            Factory("scenario_stat", R"(<widget type="group_widget" name="scenario_stat" visible="yes"/>)") +
            "</widgetfactories><widgets>" + lines + Label("award_time") + Label("award_service") + Label("level_tips") +
            Group("scenario_group", Group("finished_reveal", "")) + Group("button_ok", "") +
            Group("button_restart", "") + "</widgets></window></gamescreen>");
  testing::ScriptedRandom random({17});
  Open("GS_StatMain", Params({{"money_earned", "120"},
                              {"expert_time_bonus", "30"},
                              {"expert_patience_bonus", "0"},
                              {"total_money_earned", "150"}}));
  EXPECT_EQ(Widget("GS_StatMain", "moneyEarned/moneyEarned")->GetProperty("text").ToString(), "120");
  EXPECT_EQ(Widget("GS_StatMain", "timeBonus/timeBonus")->GetProperty("text").ToString(), "30");
  EXPECT_EQ(Widget("GS_StatMain", "serviceBonus/serviceBonus")->GetProperty("text").ToString(), "0");
  EXPECT_EQ(Widget("GS_StatMain", "totalMoney/totalMoney")->GetProperty("text").ToString(), "150");
  EXPECT_FALSE(Widget("GS_StatMain", "award_time")->GetVisible());
  EXPECT_FALSE(Widget("GS_StatMain", "award_service")->GetVisible());
  EXPECT_FALSE(Widget("GS_StatMain", "level_tips")->GetVisible());
  EXPECT_EQ(Widget("GS_StatMain", "level_tips")->GetProperty("text").ToString(), "%text_hint_17%");
  EXPECT_EQ(random.used(), 1);
  WidgetCollectionRef scenarios = Widget("GS_StatMain", "scenario_group")->GetWidgets();
  ASSERT_EQ(scenarios->GetCount(), 1);
  EXPECT_EQ(scenarios->GetByIndex(0)->GetName(), "scenario_stat");

  Event("GS_StatMain", "button_restart", kEventButtonClicked);
  ASSERT_TRUE(Answer());
  EXPECT_EQ(Answer()->GetValue("restart_level", "").ToString(), "yes");
  Open("GS_StatMain", Params({{"money_earned", "5"}}));
  EXPECT_EQ(Widget("GS_StatMain", "scenario_group")->GetWidgets()->GetCount(), 1);
  Event("GS_StatMain", "button_ok", kEventButtonClicked);
  EXPECT_FALSE(Shown("GS_StatMain"));
  EXPECT_FALSE(Answer());
}

TEST_F(LevelScreens, ToolTipShowsTheTextOfItsTool) {
  StartGame(kBaseScreen + R"(<gamescreen type="KestrelleGameScreenToolTips" name="GS_ToolTips"><window><widgets>)" +
            Label("text") + Group("button_ok", "") + "</widgets></window></gamescreen>");
  Open("GS_ToolTips", Params({{"tool_tip", "Ice_2"}}));
  EXPECT_EQ(Widget("GS_ToolTips", "text")->GetProperty("text").ToString(), "%tips_Ice_2%");
  Event("GS_ToolTips", "button_ok", kEventButtonClicked);
  EXPECT_FALSE(Shown("GS_ToolTips"));
}

// ---------------------------------------------------------------------------------------------

std::string TimerXml(bool withImage) {
  return std::string(R"(<widget type="KestrelleControlTimer" name="timer_control" visible="yes"><widgets>)") +
         (withImage ? R"(<widget type="rect_widget" name="image_time" visible="yes" width="200" height="10"/>)" : "") +
         R"(<widget type="rect_widget" name="image_time_blink" visible="yes" width="200" height="10"/>
         </widgets></widget><widget type="rect_widget" name="timer_hide" visible="yes" width="5" height="5"/>)";
}

TEST(LevelTimer, TheBarShowsTheShareOfTimeLeftAndNeverGrowsBeyondItsFullWidth) {
  testing::EnsureGameClassesRegistered();
  testing::WidgetHarness h(TimerXml(true));
  h.SetProp("timer_control/level_time", Variant(int64_t{60000}));
  EXPECT_FALSE(h.Prop("timer_control/image_time_blink/visible").ToBool());
  const struct {
    int64_t time;
    int64_t width;
  } cases[] = {{30000, 100}, {59999, 199}, {60000, 200}, {1, 0}, {90000, 0} /* beyond: kept */, {45000, 150}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.time);
    h.SetProp("timer_control/timer_current_time", Variant(c.time));
    EXPECT_EQ(h.Prop("timer_control/image_time/width").ToInt(), c.width);
  }
  EXPECT_TRUE(h.screen->events.empty());

  h.SetProp("timer_control/timer_blink", Variant(true));
  EXPECT_TRUE(h.Prop("timer_control/image_time_blink/visible").ToBool());
  h.SetProp("timer_control/level_time", Variant(int64_t{1000}));
  EXPECT_FALSE(h.Prop("timer_control/image_time_blink/visible").ToBool());
}

TEST(LevelTimer, TimeUpRestartsTheHideEffectAndTellsTheScreen) {
  testing::EnsureGameClassesRegistered();
  const struct {
    bool withImage;
    int64_t levelTime;
    int64_t time;
  } cases[] = {{true, 60000, 0}, {true, 60000, -5}, {true, 0, 100}, {false, 60000, 100}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.withImage) + " " + std::to_string(c.levelTime) + " " + std::to_string(c.time));
    testing::WidgetHarness h(TimerXml(c.withImage));
    h.Frame(300);
    ASSERT_EQ(h.Prop("timer_hide/currenttime").ToInt(), 300);
    h.SetProp("timer_control/level_time", Variant(c.levelTime));
    h.SetProp("timer_control/timer_current_time", Variant(c.time));
    EXPECT_EQ(h.Prop("timer_hide/currenttime").ToInt(), 0);
    ASSERT_EQ(h.screen->events.size(), 1u);
    EXPECT_EQ(h.screen->events[0].sender, "timer_control");
    EXPECT_EQ(h.screen->events[0].code, level_codes::kShowExpertTimeHint);
  }
}

}  // namespace
}  // namespace kestrelle
