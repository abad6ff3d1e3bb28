// The state machine widget's weighted picks and action cycle, the curve widget's points and
// reveal, and the antialiaser's reset.

#include <gtest/gtest.h>

#include "controls/antialiaser.h"
#include "controls/controls_fixture.h"
#include "controls/curve_widget.h"
#include "controls/statemachine_widget.h"
#include "support/widget_harness.h"

namespace kestrelle {
namespace {

using state_machine::ActionDefRef;
using state_machine::TActionDef;
using state_machine::TActionDefCollection;
using testing::EnsureControlsRegistered;
using testing::ScriptedRandom;
using testing::WidgetHarness;

std::shared_ptr<TActionDefCollection> Actions(const std::vector<std::pair<int32_t, int32_t>>& stateAndWeight) {
  auto actions = Create<TActionDefCollection>();
  auto storage = CreateStorage("actiondefs");
  std::string xml = "<actiondefs>";
  int n = 0;
  for (auto [state, weight] : stateAndWeight)
    xml += "<actiondef name=\"a" + std::to_string(n++) + "\" state=\"" + std::to_string(state) + "\" probability=\"" +
           std::to_string(weight) + "\"/>";
  actions->LoadFromStorage(LoadStorageFromString(xml + "</actiondefs>"));
  return actions;
}

TEST(ActionDefs, PickAtChoosesTheFirstWeightAtLeastTheRemainder) {
  struct Case {
    std::vector<std::pair<int32_t, int32_t>> actions;
    int64_t r;
    const char* expected;  // name, or "" for none
  } cases[] = {
      {{{0, 1}, {0, 3}}, 0, "a0"}, {{{0, 1}, {0, 3}}, 1, "a0"},  // ≥: 1 still picks the first
      {{{0, 1}, {0, 3}}, 2, "a1"}, {{{0, 1}, {0, 3}}, 3, "a1"},
      {{{0, 1}, {0, 1}}, 1, "a0"},                               // ties: the first always wins
      {{{0, 0}, {0, 2}}, 0, "a0"},                               // a zero weight still takes r = 0
      {{{0, 0}, {0, 2}}, 1, "a1"}, {{{1, 5}, {0, 2}}, 0, "a1"},  // other states are skipped
      {{{0, 1}}, 5, ""},           {{}, 0, ""},
  };
  for (const Case& c : cases) {
    ActionDefRef picked = Actions(c.actions)->PickAt(0, c.r);
    EXPECT_EQ(picked ? picked->GetName() : "", c.expected) << "r " << c.r;
  }
  EXPECT_EQ(Actions({{0, 1}, {0, 3}, {1, 7}})->TotalWeight(0), 4);
}

TEST(StateMachineWidget, PlaysActionsForTheirDurationAndFollowsTheNextState) {
  EnsureControlsRegistered();
  ScriptedRandom random({0, 0, 0});
  WidgetHarness h(R"(<widget type="statemachine_widget" name="sm" visible="yes">
    <widgets><widget type="rect_widget" name="stand" visible="yes"/><widget type="rect_widget" name="wave"/></widgets>
    <actiondefs>
      <actiondef name="standing" state="0" probability="1" duration="100" nextstate="1" widgetname="stand"/>
      <actiondef name="waving" state="1" probability="1" duration="0" nextstate="0" widgetname="wave"/>
    </actiondefs></widget>)");
  auto sm = std::dynamic_pointer_cast<TStateMachineWidget>(h.Find("sm"));
  ASSERT_TRUE(sm);
  EXPECT_EQ(sm->GetActionDefs()->GetCount(), 2);
  ASSERT_TRUE(sm->GetCurrentAction());
  EXPECT_EQ(sm->GetCurrentAction()->GetName(), "standing");
  EXPECT_TRUE(h.Find("sm/stand")->GetVisible());
  EXPECT_FALSE(h.Find("sm/wave")->GetVisible());
  h.Frame(99);
  EXPECT_EQ(sm->GetCurrentState(), 0);
  h.Frame(1);
  EXPECT_EQ(sm->GetCurrentState(), 1);
  EXPECT_FALSE(h.Find("sm/stand")->GetVisible());
  EXPECT_TRUE(h.Find("sm/wave")->GetVisible());
  h.Frame(0);  // a duration of 0 ends in the next update
  EXPECT_EQ(sm->GetCurrentAction()->GetName(), "standing");
}

// A curve along the segment (10, 20) - (110, 20): length 100.
std::string Curve(const std::string& attributes) {
  return R"(<widget type="curve_widget" name="c" visible="yes" smooth="no" )" + attributes + R"(>
    <widgets><widget type="rect_widget" name="brush" color="$FFFFFFFF" width="2" height="2"/></widgets>
    <function type="path_segment"><paramspace><paramdefs>
      <paramdef name="x" col="0" static="yes"/><paramdef name="y" col="0" static="yes"/>
      <paramdef name="step" col="1" static="yes"/>
      <paramdef name="x0" col="2" static="yes" value="10"/><paramdef name="y0" col="2" static="yes" value="20"/>
      <paramdef name="x1" col="2" static="yes" value="110"/><paramdef name="y1" col="2" static="yes" value="20"/>
      <paramdef name="TotalTime" col="2" static="yes" value="100"/><paramdef name="length" col="2" static="yes"/>
    </paramdefs></paramspace></function></widget>)";
}

TEST(CurveWidget, DrawsEveryPointAndRevealsProgressively) {
  EnsureControlsRegistered();
  WidgetHarness plain(Curve(""));
  plain.Frame(10);
  auto curve = std::dynamic_pointer_cast<TCurveWidget>(plain.Find("c"));
  EXPECT_EQ(curve->GetTotalPoints(), 100);
  EXPECT_EQ(curve->GetDrawnPoints(), 100);  // steps 0 to 100: 101 stamps
  EXPECT_EQ(curve->GetRect(), (TRect{7, 17, 113, 23}));

  WidgetHarness h(Curve(R"(stepping="yes" drawtime="1000")"));
  curve = std::dynamic_pointer_cast<TCurveWidget>(h.Find("c"));
  struct Step {
    int32_t elapsed;
    int32_t drawn;
  } steps[] = {{0, 0}, {250, 25}, {250, 50}, {500, 100}, {300, 100}};
  for (Step s : steps) {
    h.Frame(s.elapsed);
    EXPECT_EQ(curve->GetDrawnPoints(), s.drawn) << s.elapsed;
  }
  EXPECT_FALSE(curve->GetFinished());
  h.Frame(10);
  EXPECT_TRUE(curve->GetFinished());  // the reveal had run past its end
  h.SetProp("c/stepping_direction", -1);
  h.Frame(250);
  EXPECT_EQ(curve->GetDrawnPoints(), 75);
}

TEST(CurveWidget, IsCutAtTheScreenEdge) {
  EnsureControlsRegistered();
  std::string xml = Curve("");
  xml.replace(xml.find(R"(value="110")"), 11, R"(value="900")");
  WidgetHarness h(xml);
  h.Frame(0);
  EXPECT_EQ(h.Find("c")->GetRect().right, TCurveWidget::kScreenWidth);
}

TEST(Antialiaser, ResetForgetsThePreviousLine) {
  std::vector<std::pair<int32_t, int32_t>> plotted;
  TAntialiaser aa(1, 1.0, [&](int32_t x, int32_t y, double) { plotted.emplace_back(x, y); });
  for (int i = 0; i <= 5; ++i) aa.AddPoint(i, 0);
  aa.FlushAll();
  aa.Reset();
  plotted.clear();
  aa.AddPoint(50, 50);
  aa.FlushAll();
  ASSERT_FALSE(plotted.empty());
  for (auto [x, y] : plotted) {
    EXPECT_GE(x, 50) << "a cell of the previous line was plotted again";
    EXPECT_GE(y, 50);
  }
}

}  // namespace
}  // namespace kestrelle
