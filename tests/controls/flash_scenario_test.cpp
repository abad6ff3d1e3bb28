// Flash scenarios on the headless harness: tweens checked on the linked widget's properties frame
// by frame (straight lines, whole steps and reals, increments, random targets and durations),
// chains through "previos" and "next", screen actions, the click that skips to the end; and the
// states widget.
#include "controls/flash_scenario.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/controls_fixture.h"

namespace kestrelle::testing {
namespace {

struct Check {
  int32_t frameMs;       // one frame of this length, then
  std::string property;  // this property of the widget "w"
  double expected;       // has this value
};

struct TweenCase {
  const char* label;
  std::string scenario;  // attributes of the flash scenario linked to "w"
  std::string widget;    // attributes of "w"
  std::vector<int32_t> randoms;
  std::vector<Check> checks;
  bool endsPaused;  // the run is over after the last check
};

TEST(FlashScenario, TweensFrameByFrame) {
  EnsureControlsRegistered();
  const std::vector<TweenCase> cases = {
      {"linear: reals for anchors, whole steps for the level",
       R"(properties="anchor_left;transparentlevel" value="100;0" duration="1000")",
       R"(anchor_left="0" transparentlevel="255")",
       {},
       {{10, "anchor_left", 0},
        {0, "transparentlevel", 255},  // the first update starts the run at time 0
        {250, "anchor_left", 25.0},
        {0, "transparentlevel", 192},  // 255 + Trunc(-255 × 0.25)
        {500, "anchor_left", 75.0},
        {0, "transparentlevel", 64},
        {249, "anchor_left", 99.9},
        {0, "transparentlevel", 1},
        {1, "anchor_left", 100},
        {0, "transparentlevel", 0}},
       true},
      {"\"int\" moves a level by reals (rounded by the widget), \"float\" an anchor by whole steps",
       R"(properties="transparentlevel;anchor_left" value="int:0;float:100" duration="300")",
       R"(anchor_left="0.6" transparentlevel="255")",
       {},
       {{10, "transparentlevel", 255},
        {100, "transparentlevel", 170},  // 255 - 255 / 3 = 170.0
        {0, "anchor_left", 34},          // Round(0.6) + Trunc(99.4 / 3)
        {50, "transparentlevel", 128},   // 127.5 rounds to even
        {0, "anchor_left", 50},          // 1 + Trunc(49.7)
        {150, "anchor_left", 100}},
       true},
      {"inc: an amount added to where the widget is",
       R"(properties="anchor_top" value="inc:50" duration="500")",
       R"(anchor_top="40")",
       {},
       {{10, "anchor_top", 40}, {250, "anchor_top", 65}, {250, "anchor_top", 90}},
       true},
      {"rnd: a target drawn at the start, below the given bound",
       R"(properties="anchor_left;anchor_top" value="rnd:100;rnd:-100" duration="100")",
       R"(anchor_left="0" anchor_top="0")",
       {37, 42},
       {{10, "anchor_left", 0},
        {50, "anchor_left", 18.5},
        {0, "anchor_top", -21},
        {50, "anchor_top", -42},
        {0, "anchor_left", 37}},
       true},
      {"rnd_inc: a random amount added",
       R"(properties="anchor_left" value="rnd_inc:-100" duration="100")",
       R"(anchor_left="40")",
       {10},
       {{10, "anchor_left", 40}, {100, "anchor_left", 30}},
       true},
      {"rnd duration: base plus a random part",
       R"(properties="anchor_left" value="100" duration="rnd:500:1000")",
       R"(anchor_left="0")",
       {500},
       {{10, "anchor_left", 0}, {500, "anchor_left", 50}, {499, "anchor_left", 99.9}, {1, "anchor_left", 100}},
       true},
      {"duration 0: the end values at the first update",
       R"(properties="anchor_left" value="100" duration="0")",
       R"(anchor_left="0")",
       {},
       {{10, "anchor_left", 100}},
       true},
      {"no duration: the start values, and no end by time",
       R"(properties="anchor_left" value="100")",
       R"(anchor_left="7")",
       {},
       {{10, "anchor_left", 7}, {100000, "anchor_left", 7}},
       false},
      {"five properties at most: six run idle",
       R"(properties="a;b;c;d;e;anchor_left" value="1;1;1;1;1;100" duration="100")",
       R"(anchor_left="7")",
       {},
       {{10, "anchor_left", 7}, {100, "anchor_left", 7}},
       true},
      {"as many values as properties, or idle",
       R"(properties="anchor_left;anchor_top" value="100" duration="100")",
       R"(anchor_left="7")",
       {},
       {{10, "anchor_left", 7}, {100, "anchor_left", 7}},
       true},
  };
  for (const TweenCase& c : cases) {
    SCOPED_TRACE(c.label);
    ScriptedRandom random(c.randoms);
    WidgetHarness h(R"(<widget type="rect_widget" name="w" width="10" height="10" )" + c.widget +
                    R"(/><widget type="flash_scenario" name="f" linked_widget_name="w" )" + c.scenario + "/>");
    for (size_t i = 0; i < c.checks.size(); ++i) {
      const Check& check = c.checks[i];
      if (check.frameMs > 0) h.Frame(check.frameMs);
      EXPECT_NEAR(h.Prop("w/" + check.property).ToDouble(), check.expected, 1e-9) << "check " << i;
    }
    EXPECT_EQ(h.Find("f")->GetPaused(), c.endsPaused);
    EXPECT_EQ(random.used(), static_cast<int>(c.randoms.size()));
  }
}

TEST(FlashScenario, EachStartDrawsAgainAndStartsFromWhereTheWidgetIs) {
  EnsureControlsRegistered();
  ScriptedRandom random({20, 80, 300});
  WidgetHarness h(R"(<widget type="rect_widget" name="w" anchor_left="10"/>
      <widget type="flash_scenario" name="f" linked_widget_name="w" properties="anchor_left"
              value="rnd_inc:100" duration="rnd:1000"/>)");
  h.Frame(10);  // duration -1 + 20, target 10 + 80
  auto flash = std::dynamic_pointer_cast<TFlashScenario>(h.Find("f"));
  EXPECT_EQ(flash->GetDuration(), 19);
  h.Frame(19);
  EXPECT_DOUBLE_EQ(h.Prop("w/anchor_left").ToDouble(), 90);
  h.Find("f")->Restart();  // from 90, with a new duration and amount
  EXPECT_EQ(flash->GetDuration(), 299);
  EXPECT_EQ(flash->GetEntry(0).target, 90);  // the queue is empty: Random gives 0
}

TEST(FlashScenario, LoadsDurationsAndOptionWords) {
  EnsureControlsRegistered();
  struct Case {
    std::string attributes;
    int32_t base;
    int32_t random;
  } cases[] = {
      {R"(duration="250")", 250, 0},
      {R"(duration="rnd:500:1000")", 500, 1000},
      {R"(duration="rnd:1000")", -1, 1000},
      {R"(duration="rnd")", -1, 0},
      {R"(duration="rnd:x:5")", -1, 0},
      {R"(duration="soon")", -1, 0},
      {"", -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.attributes);
    WidgetRef flash = WidgetHarness::Make(R"(<widget type="flash_scenario" )" + c.attributes + "/>");
    EXPECT_EQ(flash->GetProperty("duration").ToInt(), c.base);
    EXPECT_EQ(flash->GetProperty("maxincrementaldurationtime").ToInt(), c.random);
  }
  auto flash = std::dynamic_pointer_cast<TFlashScenario>(WidgetHarness::Make(
      R"(<widget type="flash_scenario" properties="angle;z;zoomy" value="rnd_inc:5;int_float:1;inc_int:2"/>)"));
  ASSERT_EQ(flash->GetEntryCount(), 3);
  EXPECT_FALSE(flash->GetEntry(0).wholeSteps);
  EXPECT_TRUE(flash->GetEntry(0).randomTarget && flash->GetEntry(0).incremental);
  EXPECT_TRUE(flash->GetEntry(1).wholeSteps);  // the last word wins
  EXPECT_FALSE(flash->GetEntry(2).wholeSteps);
  EXPECT_EQ(flash->GetEntry(2).value, "2");
  EXPECT_EQ(flash->GetProperty("properties").ToString(), "angle");
}

// a runs 100 ms and starts b and one of c, d; b stops x, which runs with no end.
constexpr const char* kChainXml = R"(
    <widget type="rect_widget" name="w" anchor_left="0"/>
    <widget type="rect_widget" name="v" anchor_left="0"/>
    <widget type="flash_scenario" name="x" linked_widget_name="v" properties="anchor_left" value="50"/>
    <widget type="flash_scenario" name="a" duration="100" next="b;rnd:c,d"/>
    <widget type="flash_scenario" name="b" paused="yes" linked_widget_name="w" properties="anchor_left"
            value="100" duration="100" previos="x"/>
    <widget type="flash_scenario" name="c" paused="yes" duration="100"/>
    <widget type="flash_scenario" name="d" paused="yes" duration="100"/>)";

TEST(FlashScenario, ChainsStartAndStopOtherScenarios) {
  EnsureControlsRegistered();
  ScriptedRandom random({1});
  WidgetHarness h(kChainXml);
  h.Frame(10);
  EXPECT_TRUE(std::dynamic_pointer_cast<TFlashScenario>(h.Find("x"))->IsStarted());
  EXPECT_TRUE(h.Find("b")->GetPaused());
  h.Frame(100);  // a ends: b restarts (and stops x, which keeps its values), d is chosen
  EXPECT_TRUE(h.Find("a")->GetPaused());
  EXPECT_FALSE(h.Find("b")->GetPaused());
  EXPECT_TRUE(h.Find("c")->GetPaused());
  EXPECT_FALSE(h.Find("d")->GetPaused());
  EXPECT_TRUE(h.Find("x")->GetPaused());
  EXPECT_DOUBLE_EQ(h.Prop("v/anchor_left").ToDouble(), 0);  // frozen, no end values
  h.Frame(50);
  EXPECT_DOUBLE_EQ(h.Prop("w/anchor_left").ToDouble(), 50);
  h.Frame(50);
  EXPECT_DOUBLE_EQ(h.Prop("w/anchor_left").ToDouble(), 100);
  EXPECT_TRUE(h.Find("b")->GetPaused());
}

TEST(FlashScenario, PausingTheGroupEndsEveryScenarioEvenOneNeverStarted) {
  EnsureControlsRegistered();
  WidgetHarness h(R"(
      <widget type="group_widget" name="g">
        <widgets>
          <widget type="flash_scenario" name="waiting" paused="yes" next="../after"/>
        </widgets>
      </widget>
      <widget type="flash_scenario" name="after" paused="yes"/>)");
  h.Frame(10);
  EXPECT_TRUE(h.Find("after")->GetPaused());
  h.Find("g")->Pause();
  EXPECT_FALSE(h.Find("after")->GetPaused());
}

TEST(FlashScenario, ScenariosThatEndAndStartEachOtherAtOnceAreCut) {
  EnsureControlsRegistered();
  WidgetHarness h(R"(
      <widget type="flash_scenario" name="a" duration="0" next="b"/>
      <widget type="flash_scenario" name="b" paused="yes" duration="0" next="a"/>)");
  h.Frame(10);  // returns: the ring is cut after a bounded number of immediate ends
  EXPECT_TRUE(h.Find("a")->GetPaused());
  EXPECT_TRUE(h.Find("b")->GetPaused());
  h.Frame(10);
}

TEST(FlashScenario, NextClosesOrShowsScreens) {
  EnsureControlsRegistered();
  WidgetHarness h(R"(
      <widget type="flash_scenario" name="show" duration="100" next="showgamescreen:Options"/>
      <widget type="flash_scenario" name="close" duration="200" next="closegamescreen"/>
      <widget type="flash_scenario" name="lost" linked_widget_name="nothing" properties="anchor_left"
              value="1" duration="50" next="missing;also/missing"/>)");
  auto game = std::make_shared<FakeGame>();
  h.screen->owner = game;
  h.Frame(10);
  h.Frame(100);
  EXPECT_EQ(game->shown, std::vector<std::string>{"Options"});
  EXPECT_TRUE(game->closed.empty());
  h.Frame(100);
  ASSERT_EQ(game->closed.size(), 1u);
  EXPECT_EQ(game->closed[0], std::dynamic_pointer_cast<IGameScreenSlave>(h.screen));
  EXPECT_EQ(std::dynamic_pointer_cast<TFlashScenario>(h.Find("lost"))->GetActionType(), TFlashScenario::kIdle);
}

TEST(FlashScenario, AClickSkipsARunningScenarioWithMousestopToItsEnd) {
  EnsureControlsRegistered();
  WidgetHarness h(R"(
      <widget type="rect_widget" name="w" width="50" height="50" visible="yes" transparentlevel="255"/>
      <widget type="flash_scenario" name="f" linked_widget_name="w" properties="transparentlevel"
              value="0" duration="1000" mousestop="yes" hide_on_end="yes" next="g"/>
      <widget type="flash_scenario" name="g" paused="yes"/>)");
  EXPECT_FALSE(h.screen->WidgetAtPoint({400, 400}));  // not running yet
  h.Frame(10);
  h.Frame(100);
  EXPECT_EQ(h.screen->WidgetAtPoint({400, 400}), h.Find("f"));  // anywhere
  EXPECT_EQ(h.screen->WidgetAtPoint({5, 5}), h.Find("f"));      // above the widget it moves
  h.Mouse(WM_LBUTTONUP, 5, 5);                                  // an up without a down does nothing
  EXPECT_FALSE(h.Find("f")->GetPaused());
  h.Click(5, 5);
  EXPECT_TRUE(h.Find("f")->GetPaused());
  EXPECT_EQ(h.Prop("w/transparentlevel").ToInt(), 0);
  EXPECT_FALSE(h.Find("w")->GetVisible());
  EXPECT_FALSE(h.Find("g")->GetPaused());
  EXPECT_FALSE(h.screen->WidgetAtPoint({400, 400}));
}

TEST(StatesWidget, ShowsOnlyTheChildOfItsState) {
  EnsureControlsRegistered();
  WidgetHarness h(R"(
      <widget type="states_widget" name="s" state="1">
        <widgets>
          <widget type="rect_widget" name="c0" visible="yes"/>
          <widget type="rect_widget" name="c1"/>
          <widget type="group_widget" name="c2" currenttime="300" visible="yes"/>
        </widgets>
      </widget>)");
  auto visible = [&] {
    std::string shown;
    for (const char* name : {"c0", "c1", "c2"}) shown += h.Find(std::string("s/") + name)->GetVisible() ? "1" : "0";
    return shown;
  };
  EXPECT_EQ(visible(), "010");
  EXPECT_EQ(h.Prop("s/states_count").ToInt(), 3);
  h.SetProp("s/state", Variant(2));
  EXPECT_EQ(visible(), "001");
  EXPECT_EQ(h.Prop("s/c2/currenttime").ToInt(), 0);  // restarted
  h.SetProp("s/state", Variant(5));
  EXPECT_EQ(visible(), "000");
  EXPECT_EQ(h.Prop("s/state").ToInt(), 5);
  h.SetProp("s/states_count", Variant(9));  // read only
  EXPECT_EQ(h.Prop("s/states_count").ToInt(), 3);
}

}  // namespace
}  // namespace kestrelle::testing
