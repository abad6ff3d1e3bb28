// The level's scenarios run inside a level control's "scenario_group", started from factories as
// the level control starts them: their states' timing, what they move and show, and which of
// them report to the control.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "game/level/fake_level_control.h"
#include "game/level/level_codes.h"
#include "game/level/scenarios/use_bonus_scenario.h"
#include "support/widget_harness.h"

namespace kestrelle::testing {
namespace {

constexpr const char* kPath = R"(<function type="path_segment"><paramspace><paramdefs>
  <paramdef name="x" col="0" static="yes"/><paramdef name="y" col="0" static="yes"/>
  <paramdef name="step" col="1" static="yes"/>
  <paramdef name="x1" col="2" static="yes"/><paramdef name="y1" col="2" static="yes"/>
  <paramdef name="x2" col="2" static="yes"/><paramdef name="y2" col="2" static="yes"/>
  <paramdef name="TotalTime" col="2" static="yes"/><paramdef name="length" col="2" static="yes"/>
</paramdefs></paramspace></function>)";

constexpr const char* kSparks = R"(<widgets><widget type="rect_widget" name="spark" width="2" height="2"/></widgets>)";

std::string Emitter(const std::string& name) {
  return "<widget type=\"stochastic_particle_system\" name=\"" + name + "\" visible=\"yes\" emission_count=\"40\">" +
         kSparks + "</widget>";
}

std::string LevelControlXml() {
  using F = FakeLevelControl;
  return "<widget name=\"control_game_main\" visible=\"yes\"><widgetfactories>" +
         F::Factory("scenario_start", R"(<widget type="scenario_game_main_start_level" name="scenario_start_level"
             visible="yes" LevelName="%LevelName%"><widgets>
               <widget type="rect_widget" name="blackout" paused="yes"/>
               <widget type="rect_widget" name="show_controls" paused="yes"/></widgets></widget>)") +
         F::Factory("scenario_end_level", R"(<widget type="scenario_game_main_end_level" name="scenario_end_level"
             visible="yes"><widgets>
               <widget type="rect_widget" name="blackout" paused="yes"/>
               <widget type="rect_widget" name="hide_controls" paused="yes"/></widgets></widget>)") +
         F::Factory("text_visualization", R"(<widget type="group_widget" name="text_visualization" visible="yes"
             extraparams="\visualization_time=500\level_end_level=%level_end_level%"/>)") +
         F::Factory("scenario_flying_money", R"(<widget type="scenario_game_flying_money" name="%name%" visible="yes"
             init_x="%init_x%" init_y="%init_y%" end_x="40" end_y="20" duration="1000" currenttime="%currenttime%">)" +
                                                 std::string(kPath) +
                                                 R"(<widgets><widget type="rect_widget" name="image" width="8"
             height="8" anchor_left="-100" anchor_top="-100" visible="yes"/>)" +
                                                 Emitter("ps_flying_money") + "</widgets></widget>") +
         F::Factory("scenario_use_bonus_hint", R"(<widget type="scenario_game_use_bonus" name="%name%" visible="yes"
             init_x="%init_x%" init_y="%init_y%" end_x="%end_x%" end_y="%end_y%" duration="400"
             tooltype="%tooltype%" toolname="%toolname%"><widgets>)" +
                                                   Emitter("ps_flying_bonus") + "</widgets></widget>") +
         R"(</widgetfactories><widgets>
           <widget type="group_widget" name="shop_items" visible="yes"><widgets>
             <widget type="rect_widget" name="cake" anchor_top="300" width="20" height="20" visible="yes"
                     extraparams="\finished=no"/>
             <widget type="rect_widget" name="jam" anchor_top="120" width="20" height="20" visible="yes"
                     extraparams="\finished=no"/>
           </widgets></widget>
           <widget type="group_widget" name="scenario_group" visible="yes"/>
         </widgets></widget>)";
}

class LevelScenarios : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureGameClassesRegistered();
    control_ = FakeLevelControl::Load(LevelControlXml());
    control_->Attach(h_.root);
  }
  WidgetRef Start(const std::string& factory, const std::vector<std::pair<std::string, Variant>>& values) {
    ParamsRef params = CreateParams();
    for (const auto& [name, value] : values) params->SetValue(name, value);
    return control_->CreateScenario(factory, params, true);
  }
  std::string State(const WidgetRef& scenario) { return scenario->GetProperty("state").ToString(); }
  std::vector<FakeLevelControl::Command> Reports() { return control_->With(level_codes::kScenarioFinished); }
  int Running() { return h_.Find("control_game_main/scenario_group")->GetWidgets()->GetCount(); }

  WidgetHarness h_;
  std::shared_ptr<FakeLevelControl> control_;
};

TEST_F(LevelScenarios, StartLevelDropsTheItemsInAndReportsAfterItsStates) {
  WidgetRef start = Start("scenario_start", {{"LevelName", Variant("%ShopBakery% 3")}});
  ASSERT_TRUE(start);
  h_.Frame(10);
  EXPECT_EQ(State(start), "show_items");
  // The items start one after another from the top: each clock is set back by the item's top.
  EXPECT_EQ(h_.Prop("control_game_main/shop_items/cake/currenttime").ToInt(), -300);
  EXPECT_EQ(h_.Prop("control_game_main/shop_items/jam/currenttime").ToInt(), -120);
  EXPECT_FALSE(start->FindWidget("blackout")->GetPaused());
  EXPECT_FALSE(start->FindWidget("show_controls")->GetPaused());
  WidgetRef title = start->FindWidget("text_visualization");
  ASSERT_TRUE(title);
  EXPECT_EQ(title->GetProperty("level_end_level").ToString(), "%ShopBakery% 3");

  struct Step {
    int32_t elapsed;
    const char* state;
  } steps[] = {{1000, "show_items"}, {990, "show_items"}, {10, "show_text"}, {490, "show_text"}};
  for (const Step& step : steps) {
    h_.Frame(step.elapsed);
    EXPECT_EQ(State(start), step.state);
  }
  EXPECT_TRUE(Reports().empty());
  h_.Frame(10);  // the title's 500 ms are over
  ASSERT_EQ(Reports().size(), 1u);
  EXPECT_EQ(ParamText(Reports()[0].params, "scenario_to_finalize"), "scenario_start_level");
  EXPECT_EQ(ParamText(Reports()[0].params, "LevelName"), "%ShopBakery% 3");
  EXPECT_EQ(Running(), 0);
}

TEST_F(LevelScenarios, EndLevelHidesTheItemsAndReportsAfterTwiceTheTextTime) {
  WidgetRef end = Start("scenario_end_level", {});
  ASSERT_TRUE(end);
  h_.Frame(10);
  EXPECT_EQ(State(end), "show_end_level");
  for (const char* item : {"cake", "jam"}) {
    WidgetRef widget = h_.Find(std::string("control_game_main/shop_items/") + item);
    EXPECT_FALSE(widget->GetVisible()) << item;
    EXPECT_TRUE(widget->GetProperty("finished").ToBool()) << item;
  }
  EXPECT_FALSE(end->FindWidget("hide_controls")->GetPaused());
  h_.Frame(990);
  EXPECT_TRUE(Reports().empty());
  h_.Frame(10);
  ASSERT_EQ(Reports().size(), 1u);
  EXPECT_EQ(ParamText(Reports()[0].params, "scenario_to_finalize"), "scenario_end_level");
}

TEST_F(LevelScenarios, FlyingMoneyFollowsItsPathAfterItsDelayAndEndsSilently) {
  WidgetRef money = Start(
      "scenario_flying_money",
      {{"name", Variant("Ann_3")}, {"init_x", Variant(240)}, {"init_y", Variant(420)}, {"currenttime", Variant(-100)}});
  ASSERT_TRUE(money);
  WidgetRef image = money->FindWidget("image");
  WidgetRef trail = money->FindWidget("ps_flying_money");
  auto at = [](const WidgetRef& w) { return std::make_pair(w->GetAnchorLeft(), w->GetAnchorTop()); };
  auto emission = [&] {
    return std::make_pair(trail->GetProperty("emission_x").ToInt(), trail->GetProperty("emission_y").ToInt());
  };
  h_.Frame(50);  // waiting for its turn where its data put it, the trail not yet sparkling
  EXPECT_EQ(at(image), std::make_pair(-100.0, -100.0));
  EXPECT_TRUE(trail->GetPaused());
  EXPECT_EQ(trail->GetProperty("count").ToInt(), 0);
  h_.Frame(50);
  EXPECT_EQ(at(image), std::make_pair(240.0, 420.0));
  EXPECT_FALSE(trail->GetPaused());
  EXPECT_EQ(emission(), std::make_pair(int64_t{240}, int64_t{420}));
  h_.Frame(500);  // half way from (240, 420) to (40, 20)
  EXPECT_EQ(at(image), std::make_pair(140.0, 220.0));
  EXPECT_EQ(emission(), std::make_pair(int64_t{150}, int64_t{200}));
  h_.Frame(499);
  EXPECT_EQ(Running(), 1);
  h_.Frame(1);
  EXPECT_EQ(at(image), std::make_pair(40.0, 20.0));
  EXPECT_EQ(trail->GetProperty("emission_count").ToInt(), 0);
  EXPECT_EQ(Running(), 0);
  EXPECT_TRUE(Reports().empty());
}

TEST_F(LevelScenarios, OnlyTheFirstTargetsFlightOfAToolReports) {
  for (int target = 0; target < 5; ++target) {
    ASSERT_TRUE(Start("scenario_use_bonus_hint", {{"name", Variant("wand_Hint_2idx" + std::to_string(target))},
                                                  {"init_x", Variant(0)},
                                                  {"init_y", Variant(0)},
                                                  {"end_x", Variant(100)},
                                                  {"end_y", Variant(40 * target)},
                                                  {"tooltype", Variant("Hint_2")},
                                                  {"toolname", Variant("wand")}}));
  }
  h_.Frame(10);
  h_.Frame(200);  // half the time: sin(pi/4) of the way, slowing into the target
  WidgetRef spark = h_.Find("control_game_main/scenario_group/wand_Hint_2idx1/ps_flying_bonus");
  EXPECT_NEAR(spark->GetAnchorLeft(), 100 * std::sqrt(0.5), 1e-9);
  EXPECT_NEAR(spark->GetAnchorTop(), 40 * std::sqrt(0.5), 1e-9);
  h_.Frame(199);
  EXPECT_TRUE(Reports().empty());
  h_.Frame(1);
  EXPECT_EQ(Running(), 0);
  ASSERT_EQ(Reports().size(), 1u) << "the tool takes effect once";
  EXPECT_EQ(ParamText(Reports()[0].params, "scenario_to_finalize"), "use_tool");
  EXPECT_EQ(ParamText(Reports()[0].params, "type"), "Hint_2");
  EXPECT_EQ(ParamText(Reports()[0].params, "name"), "wand");

  struct Case {
    const char* name;
    bool reports;
  } cases[] = {{"wand_Ice_1", true},
               {"wand_Heart_3idx0", true},
               {"wand_Heart_3idx1", false},
               {"wand_Heart_3idx4", false},
               {"wand_Heart_3idx10", false}};
  for (const Case& c : cases) EXPECT_EQ(TScenarioUseBonus::FlightReports(c.name), c.reports) << c.name;
}

// The results screen's lines, seen from its "scenario_group".
constexpr const char* kResultsXml = R"(
  <widget type="group_widget" name="moneyEarned" visible="yes"><widgets>
    <widget type="text_widget" name="moneyEarned" text="120"/></widgets></widget>
  <widget type="group_widget" name="timeBonus" visible="yes"><widgets>
    <widget type="text_widget" name="timeBonus" text="0"/></widgets></widget>
  <widget type="group_widget" name="serviceBonus" visible="yes"><widgets>
    <widget type="text_widget" name="serviceBonus" text="75"/></widgets></widget>
  <widget type="group_widget" name="totalMoney" visible="yes"><widgets>
    <widget type="text_widget" name="totalMoney" text="195"/></widgets></widget>
  <widget type="text_widget" name="level_tips" text="tip"/>
  <widget type="rect_widget" name="award_time" paused="yes"/>
  <widget type="rect_widget" name="award_service" paused="yes"/>
  <widget type="function_particle_system" name="ps_statlevel" visible="yes"/>
  <widget type="group_widget" name="scenario_group" visible="yes"/>)";

TEST(StatScenario, RevealsTheLinesInOrderAndAMedalOnlyForABonusEarned) {
  EnsureGameClassesRegistered();
  WidgetHarness h(kResultsXml);
  ASSERT_TRUE(h.Find("scenario_group")
                  ->GetWidgets()
                  ->Add(WidgetHarness::Make(R"(<widget type="scenario_stat" name="scenario_stat" visible="yes"/>)")));
  const char* shown[] = {"moneyEarned/moneyEarned",
                         "timeBonus/timeBonus",
                         "serviceBonus/serviceBonus",
                         "totalMoney/totalMoney",
                         "level_tips",
                         "award_time",
                         "award_service"};
  auto visible = [&] {
    std::string list;
    for (const char* path : shown)
      if (h.Find(path)->GetVisible()) list += std::string(path) + " ";
    return list;
  };
  h.Frame(10);
  EXPECT_EQ(visible(), "moneyEarned/moneyEarned ");
  EXPECT_EQ(h.Prop("ps_statlevel/init_creation_count").ToInt(), 50);
  h.Frame(399);
  EXPECT_EQ(visible(), "moneyEarned/moneyEarned ");
  h.Frame(1);
  EXPECT_EQ(visible(), "moneyEarned/moneyEarned timeBonus/timeBonus ") << "no medal for a bonus of 0";
  h.Frame(400);
  EXPECT_EQ(visible(), "moneyEarned/moneyEarned timeBonus/timeBonus serviceBonus/serviceBonus award_service ");
  EXPECT_FALSE(h.Find("award_service")->GetPaused());
  h.Frame(400);
  h.Frame(400);
  EXPECT_EQ(visible(),
            "moneyEarned/moneyEarned timeBonus/timeBonus serviceBonus/serviceBonus totalMoney/totalMoney "
            "level_tips award_service ");
  EXPECT_EQ(h.Find("scenario_group")->GetWidgets()->GetCount(), 1);
  h.Frame(400);
  EXPECT_EQ(h.Find("scenario_group")->GetWidgets()->GetCount(), 0);
}

}  // namespace
}  // namespace kestrelle::testing
