// The widget tree: clocks, life, hit testing, input routing, paths and properties, factories,
// collections and the dirty-rectangle pass, on trees built from XML through the registry.

#include <gtest/gtest.h>

#include "data/class_registry.h"
#include "platform/messages.h"
#include "support/widget_harness.h"
#include "widgets/abstract_widget.h"
#include "widgets/group_widget.h"
#include "widgets/rect_widget.h"
#include "widgets/widget_depth.h"
#include "widgets/widget_factory.h"

namespace kestrelle {
namespace {

using testing::WidgetHarness;

// A sized widget that records the input it gets.
class TRecordingWidget : public TSingleWidget {
 public:
  std::vector<uint32_t> mouse;
  int captureLost = 0;
  bool MouseEvent(uint32_t message, const TPoint& point, uint32_t keys) override {
    mouse.push_back(message);
    return true;
  }
  void CaptureLost() override { ++captureLost; }
};

// A sized widget that counts how often it is drawn.
class TCountingWidget : public TSingleWidget {
 public:
  static inline int64_t draws = 0;
  void Draw(const SurfaceRef& surface, int32_t x, int32_t y) override { ++draws; }
};

class WidgetTree : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    testing::EnsureClassesRegistered();
    if (!ClassRegistry::Instance().IsRegistered("recording_widget"))
      RegisterObjectClass<TRecordingWidget>("recording_widget");
    if (!ClassRegistry::Instance().IsRegistered("counting_widget"))
      RegisterObjectClass<TCountingWidget>("counting_widget");
  }
};

TEST_F(WidgetTree, TimeRateScalesTheElapsedTimeRoundingHalvesToEven) {
  struct Case {
    const char* rate;
    int32_t elapsed;
    int64_t advance;
  };
  for (const Case& c :
       {Case{"0.5", 25, 12}, Case{"0.5", 15, 8}, Case{"0.5", 5, 2}, Case{"2", 10, 20}, Case{"1", 7, 7}}) {
    WidgetHarness h(std::string(R"(<widget type="rect_widget" name="r" visible="yes" time_rate=")") + c.rate +
                    R"("/>)");
    h.Frame(c.elapsed);
    EXPECT_EQ(h.Prop("r/currenttime").ToInt(), c.advance) << "rate " << c.rate << ", " << c.elapsed << " ms";
  }
}

TEST_F(WidgetTree, AWidgetDiesWhenItsClockReachesItsLifeAndLeavesItsGroupInThatUpdate) {
  WidgetHarness h(R"(<widget type="rect_widget" name="r" visible="yes" timetolive="1000"
                             anchor_left="5" anchor_top="6" width="10" height="10" color="$FFFF0000"/>)");
  h.Frame(999);
  ASSERT_TRUE(h.Find("r"));
  h.Frame(1);
  EXPECT_FALSE(h.Find("r"));
  // Its last area is redrawn.
  EXPECT_EQ(h.engine->InvalidatedBounds(), (TRect{5, 6, 15, 16}));
}

TEST_F(WidgetTree, PausedWidgetsAndChildrenOfHiddenGroupsStandStill) {
  WidgetHarness h(R"(<widget type="rect_widget" name="p" visible="yes" paused="yes"/>
                     <widget type="group_widget" name="g" visible="yes">
                       <widgets><widget type="rect_widget" name="c" visible="yes"/></widgets></widget>)");
  h.Frame(10);
  EXPECT_EQ(h.Prop("p/currenttime").ToInt(), 0);
  EXPECT_EQ(h.Prop("g/c/currenttime").ToInt(), 10);
  h.SetProp("g/visible", false);
  h.Frame(10);  // the pass notices the hiding and still clears the flags once
  h.Frame(10);
  h.Frame(10);
  EXPECT_EQ(h.Prop("g/c/currenttime").ToInt(), 30);
  h.SetProp("g/visible", true);
  h.Frame(10);
  h.Frame(10);
  EXPECT_EQ(h.Prop("g/c/currenttime").ToInt(), 40);
}

TEST_F(WidgetTree, HitTestsIncludeAllFourEdges) {
  WidgetHarness h(R"(<widget type="recording_widget" name="w" visible="yes" mousestop="yes" width="10" height="10"/>)");
  struct Case {
    TPoint p;
    bool hit;
  };
  for (const Case& c : {Case{{0, 0}, true}, Case{{10, 10}, true}, Case{{10, 0}, true}, Case{{0, 10}, true},
                        Case{{11, 10}, false}, Case{{10, 11}, false}, Case{{-1, 5}, false}})
    EXPECT_EQ(h.root->WidgetAtPoint(c.p) != nullptr, c.hit) << c.p.x << "," << c.p.y;
}

TEST_F(WidgetTree, TheTopMostChildTakesTheMouseAndAGroupWithoutMouseStopHidesItsChildren) {
  WidgetHarness h(R"(
    <widget type="recording_widget" name="low" visible="yes" mousestop="yes" width="50" height="50" z="1"/>
    <widget type="recording_widget" name="high" visible="yes" mousestop="yes" width="50" height="50" z="2"/>
    <widget type="group_widget" name="deaf" visible="yes" anchor_left="100">
      <widgets><widget type="recording_widget" name="inner" visible="yes" mousestop="yes" width="20" height="20"/>
      </widgets></widget>
    <widget type="group_widget" name="open" visible="yes" mousestop="yes" anchor_left="200" anchor_top="100">
      <widgets><widget type="recording_widget" name="inner" visible="yes" mousestop="yes" width="20" height="20"/>
      </widgets></widget>)");
  EXPECT_EQ(h.root->WidgetAtPoint({25, 25}), h.Find("high"));
  EXPECT_EQ(h.root->WidgetAtPoint({105, 5}), nullptr);
  EXPECT_FALSE(h.Click(105, 5));
  // Points are carried into each group's space.
  EXPECT_EQ(h.root->WidgetAtPoint({210, 110}), h.Find("open/inner"));
  EXPECT_EQ(h.root->WidgetAtPoint({210, 10}), nullptr);
}

TEST_F(WidgetTree, ACapturedWidgetGetsTheMouseWherever) {
  WidgetHarness h(R"(
    <widget type="recording_widget" name="a" visible="yes" mousestop="yes" width="20" height="20"/>
    <widget type="recording_widget" name="b" visible="yes" mousestop="yes" anchor_left="50" width="20" height="20"/>)");
  auto a = std::dynamic_pointer_cast<TRecordingWidget>(h.Find("a"));
  auto b = std::dynamic_pointer_cast<TRecordingWidget>(h.Find("b"));
  h.screen->SetCapture(a);
  EXPECT_TRUE(h.Mouse(WM_MOUSEMOVE, 55, 5));
  EXPECT_TRUE(h.Mouse(WM_LBUTTONUP, 300, 300));
  EXPECT_EQ(a->mouse, (std::vector<uint32_t>{WM_MOUSEMOVE, WM_LBUTTONUP}));
  EXPECT_TRUE(b->mouse.empty());
  h.screen->SetCapture(b);
  EXPECT_EQ(a->captureLost, 1);
  h.screen->ReleaseCapture();
  EXPECT_EQ(b->captureLost, 1);
  EXPECT_TRUE(h.Mouse(WM_MOUSEMOVE, 5, 5));
  EXPECT_EQ(a->mouse.size(), 3u);
}

TEST_F(WidgetTree, PathsWithEveryHead) {
  WidgetHarness h(R"(
    <widget type="group_widget" name="a" visible="yes" z="4">
      <widgets>
        <widget type="group_widget" name="b" visible="yes">
          <widgets><widget type="rect_widget" name="c" visible="yes" z="7"/></widgets></widget>
        <widget type="rect_widget" name="sib" z="9"/>
      </widgets></widget>
    <widget type="rect_widget" name="top" z="3"/>)");
  WidgetRef c = h.Find("a/b/c");
  ASSERT_TRUE(c);
  EXPECT_EQ(c->GetPath(), "GS_Harness/a/b/c");
  struct Case {
    std::string path;
    Variant z;
  };
  for (const Case& k :
       {Case{"z", Variant(7)}, Case{"./z", Variant(7)}, Case{"../z", Variant(0)}, Case{"../../sib/z", Variant(9)},
        Case{"window:/top/z", Variant(3)}, Case{"window:/a/b/c/z", Variant(7)}, Case{"nothing/z", Variant(Null{})}})
    EXPECT_EQ(c->GetProperty(k.path), k.z) << k.path << " gives " << c->GetProperty(k.path).ToString();
  // Three parts read two levels down; writing goes the same way.
  EXPECT_EQ(h.Prop("a/b/c/z").ToInt(), 7);
  h.SetProp("a/b/c/z", 8);
  EXPECT_EQ(c->GetZ(), 8);
  EXPECT_EQ(h.Find("a/b/c/missing"), nullptr);
  EXPECT_EQ(c->FindWidget(""), c);
  // Without an owner nothing above is reachable.
  WidgetRef loose = WidgetHarness::Make(R"(<widget type="rect_widget" name="loose"/>)");
  EXPECT_EQ(loose->FindWidget(".."), nullptr);
  EXPECT_EQ(loose->FindWidget("window:/top"), nullptr);
  EXPECT_EQ(loose->GetPath(), "/loose");
}

TEST_F(WidgetTree, AliasesExtraParamsAndRedefinedParams) {
  WidgetHarness h(R"(
    <widget type="group_widget" name="g" visible="yes" aliases="\depth=child/z\loop=loop2\loop2=loop"
            extraparams="\caption=Hello\count=3">
      <widgets><widget type="rect_widget" name="child" z="2" redefinedparams="\width=../../src/width"/></widgets>
    </widget>
    <widget type="rect_widget" name="src" width="42"/>)");
  EXPECT_EQ(h.Prop("g/depth").ToInt(), 2);
  h.SetProp("g/depth", 5);
  EXPECT_EQ(h.Prop("g/child/z").ToInt(), 5);
  // A cycle of aliases gives no value and does not recurse without end.
  EXPECT_TRUE(h.Prop("g/loop").IsNull());
  h.SetProp("g/loop", 1);
  EXPECT_EQ(h.Prop("g/caption").ToString(), "Hello");
  h.SetProp("g/caption", "Bye");
  EXPECT_EQ(h.Prop("g/caption").ToString(), "Bye");
  h.SetProp("g/unknown", 1);
  EXPECT_TRUE(h.Prop("g/unknown").IsNull());
  // Redefined parameters are applied when the widget gets its owner.
  EXPECT_EQ(h.Prop("g/child/width").ToInt(), 42);
  // A value that does not convert leaves the property as it was; an equal time changes nothing.
  h.SetProp("g/child/z", "abc");
  EXPECT_EQ(h.Prop("g/child/z").ToInt(), 5);
  h.Frame(10);
  h.Find("g/child")->SetChanged(false);
  h.SetProp("g/child/currenttime", 10);
  EXPECT_FALSE(h.Find("g/child")->GetChanged());
}

TEST_F(WidgetTree, FactoriesExpandMacrosWithTheValuesEscaped) {
  WidgetHarness h(R"(
    <widget type="group_widget" name="g" visible="yes">
      <widgetfactories>
        <widgetfactory name="label"
          widgetstring="&lt;widget type=&quot;rect_widget&quot; name=&quot;%name%&quot; anchor_left=&quot;%x%&quot; extraparams=&quot;\text=%text%&quot; z=&quot;%z%&quot;/&gt;"/>
        <widgetfactory name="fixed" usemacros="no" redefinedparams="\a=width"
          widgetstring="&lt;widget type=&quot;rect_widget&quot; name=&quot;fixed&quot;/&gt;"/>
        <widgetfactory name="broken" widgetstring="&lt;widget type=&quot;rect_widget&quot;"/>
      </widgetfactories></widget>)");
  auto g = std::dynamic_pointer_cast<IWidgetOwner>(h.Find("g"));
  ParamsRef params = CreateParams();
  params->SetValue("name", "tag");
  params->SetValue("x", 12.5);
  params->SetValue("text", R"(He said "hi" <b> & 'bye')");
  WidgetRef made = g->CreateWidget("label", params);
  ASSERT_TRUE(made);
  EXPECT_EQ(made->GetName(), "tag");
  EXPECT_DOUBLE_EQ(made->GetAnchorLeft(), 12.5);
  EXPECT_EQ(made->GetProperty("text").ToString(), R"(He said "hi" <b> & 'bye')");
  // A macro without a parameter stays; the attribute then does not convert and keeps its default.
  EXPECT_EQ(made->GetZ(), 0);
  EXPECT_NE(std::dynamic_pointer_cast<TRectWidget>(made)->GetOwner(), g);
  EXPECT_FALSE(std::dynamic_pointer_cast<IPersistObject>(made)->IsStored());
  // Without macros: the parsed text is reused and redefined parameters copy named values.
  ParamsRef sizes = CreateParams();
  sizes->SetValue("width", 30);
  EXPECT_EQ(g->CreateWidget("fixed", sizes)->GetWidth(), 30);
  EXPECT_EQ(g->CreateWidget("fixed", sizes)->GetWidth(), 30);
  EXPECT_EQ(g->CreateWidget("broken", params), nullptr);
  // Unknown factories are asked of the owner chain, which ends at the screen.
  EXPECT_EQ(g->CreateWidget("nothing", params), nullptr);
}

TEST_F(WidgetTree, EqualZKeepsInsertionOrderAndDuplicateNamesAreRefusedQuietly) {
  WidgetHarness h(R"(
    <widget type="rect_widget" name="a" visible="yes" z="1" width="10" height="10" color="$FFFF0000"/>
    <widget type="rect_widget" name="b" visible="yes" z="1" width="10" height="10" color="$FF00FF00"/>
    <widget type="rect_widget" name="front" visible="yes" z="5" width="4" height="4" color="$FF0000FF"/>)");
  h.Frame(10);
  auto widgets = h.root->GetWidgets();
  WidgetRef c = WidgetHarness::Make(
      R"(<widget type="rect_widget" name="c" visible="yes" z="1" width="10" height="10" color="$FFFFFF00"/>)");
  ASSERT_TRUE(widgets->Add(c));
  EXPECT_EQ(widgets->GetByIndex(2), c);  // after a and b, before the higher z
  h.Frame(10);
  EXPECT_EQ(h.engine->back->GetPixel(6, 6), 0xFFFFFF00u);
  EXPECT_EQ(h.engine->back->GetPixel(2, 2), 0xFF0000FFu);

  WidgetRef twin = WidgetHarness::Make(
      R"(<widget type="rect_widget" name="A" visible="yes" anchor_left="300" width="10" height="10"/>)");
  h.engine->ClearInvalidated();
  EXPECT_FALSE(widgets->Add(twin));
  EXPECT_EQ(twin->GetOwner(), nullptr);
  EXPECT_TRUE(h.engine->invalidated.empty());
  EXPECT_EQ(widgets->GetCount(), 4);
  // Unnamed widgets all fit.
  EXPECT_TRUE(widgets->Add(WidgetHarness::Make(R"(<widget type="rect_widget"/>)")));
  EXPECT_TRUE(widgets->Add(WidgetHarness::Make(R"(<widget type="rect_widget"/>)")));
  EXPECT_EQ(widgets->GetCount(), 6);
}

TEST_F(WidgetTree, AMovingWidgetRedrawsOnlyItsOldAndNewAreas) {
  WidgetHarness h(R"(<window left="0" top="0"><widgets>
    <widget type="rect_widget" name="bg" visible="yes" width="800" height="600" color="$FF202020"/>
    <widget type="group_widget" name="g" visible="yes" anchor_left="10" anchor_top="10" z="1"><widgets>
      <widget type="rect_widget" name="box" visible="yes" width="20" height="20" color="$FFFF0000"/>
      <widget type="rect_widget" name="still" visible="yes" anchor_left="300" width="5" height="5" color="$FF00FF00"/>
    </widgets></widget></widgets></window>)");
  h.Frame(10);
  EXPECT_EQ(h.engine->back->GetPixel(15, 15), 0xFFFF0000u);
  h.Frame(10);
  EXPECT_TRUE(h.engine->invalidated.empty()) << "a frame without changes redraws nothing";
  const int drawn = h.drawnFrames;

  h.SetProp("g/box/anchor_left", 90.5);  // halves round to even: 90
  h.SetProp("g/box/anchor_top", 40);
  h.Frame(10);
  EXPECT_EQ(h.engine->invalidated, (std::vector<TRect>{{10, 10, 30, 30}, {100, 50, 120, 70}}));
  EXPECT_EQ(h.drawnFrames, drawn + 1);
  EXPECT_PIXELS(*h.engine->back, "moving_widget", [](int32_t x, int32_t y) -> uint32_t {
    if (x >= 100 && x < 120 && y >= 50 && y < 70) return 0xFFFF0000u;
    if (x >= 310 && x < 315 && y >= 10 && y < 15) return 0xFF00FF00u;
    return 0xFF202020u;
  });
  // Moving the group moves every child: both areas of each child.
  h.SetProp("g/anchor_left", 11);
  h.Frame(10);
  EXPECT_EQ(h.engine->invalidated.size(), 6u);  // old and new areas of each child and of the group
}

TEST_F(WidgetTree, HidingReportsTheOldAreaAndAVisualGroupIsTheBoxOfItsVisibleChildren) {
  WidgetHarness h(R"(<widget type="group_widget" name="g" visible="yes" anchor_left="100" anchor_top="100"><widgets>
      <widget type="rect_widget" name="a" visible="yes" anchor_left="-10" width="20" height="20" color="$FFFF0000"/>
      <widget type="rect_widget" name="b" visible="yes" anchor_left="30" anchor_top="5" width="10" height="40"/>
      <widget type="rect_widget" name="hidden" anchor_left="500" width="10" height="10"/>
    </widgets></widget>)");
  WidgetRef g = h.Find("g");
  EXPECT_EQ(g->GetRect(), (TRect{90, 100, 140, 145}));
  EXPECT_DOUBLE_EQ(g->GetLeft(), 90);
  EXPECT_EQ(g->GetWidth(), 50);
  h.Frame(10);
  h.SetProp("g/a/visible", false);
  h.Frame(10);
  EXPECT_EQ(h.engine->invalidated, (std::vector<TRect>{{90, 100, 110, 120}}));
}

TEST_F(WidgetTree, ChangesDuringAnUpdateAreSafe) {
  // A child that kills its sibling and adds a new widget during its own update.
  class TKiller : public TSingleWidget {
   public:
    void DoUpdate(int32_t dt) override {
      TSingleWidget::DoUpdate(dt);
      auto widgets = GetOwner() ? GetOwner()->FindWidget("")->GetWidgets() : nullptr;
      if (!widgets || done) return;
      done = true;
      widgets->Get(Variant("victim"))->SetDead(true);
      widgets->Delete(Variant("gone"));
      widgets->Add(WidgetHarness::Make(R"(<widget type="rect_widget" name="late" visible="yes"/>)"));
    }
    bool done = false;
  };
  WidgetHarness h(R"(<widget type="rect_widget" name="gone" visible="yes"/>
                     <widget type="rect_widget" name="victim" visible="yes"/>)");
  auto killer = Create<TKiller>();
  killer->SetName("killer");
  killer->SetVisible(true);
  h.root->GetWidgets()->Add(killer);
  h.Frame(10);
  EXPECT_FALSE(h.Find("gone"));
  EXPECT_FALSE(h.Find("victim"));
  ASSERT_TRUE(h.Find("late"));
  EXPECT_EQ(h.Prop("late/currenttime").ToInt(), 10) << "added during the pass, updated in the same frame";
  EXPECT_EQ(h.Prop("killer/currenttime").ToInt(), 10) << "updated once";
}

TEST_F(WidgetTree, ReplicatorAndBehaviourWidgetsDrawTheirChild) {
  WidgetHarness h(R"(
    <widget type="replicator_widget" name="rep" visible="yes" anchor_left="10" cols="3" rows="2">
      <widgets><widget type="rect_widget" name="cell" visible="yes" width="4" height="5" color="$FF0000FF"/></widgets>
    </widget>)");
  EXPECT_EQ(h.Find("rep")->GetWidth(), 12);
  EXPECT_EQ(h.Find("rep")->GetHeight(), 10);
  EXPECT_EQ(h.Find("rep/anything"), h.Find("rep")->GetChild(Variant(0)));
  h.Frame(10);
  EXPECT_EQ(h.engine->back->GetPixel(21, 9), 0xFF0000FFu);
  EXPECT_EQ(h.engine->back->GetPixel(22, 9), 0u);
  EXPECT_EQ(h.engine->back->GetPixel(21, 10), 0u);
}

// A real given to an integer property rounds to the nearest integer, halves to even: set
// directly, as "." text, or pulled from the widget's function.
TEST_F(WidgetTree, RealsGivenToIntegerPropertiesRoundHalvesToEven) {
  // The function's output 0 is the property named by `output`: the sum of two static inputs.
  auto pulled = [](const char* output, const char* a, const char* b) {
    return std::string(R"(<function_widget type="function_sum"><paramspace><paramdefs>
        <paramdef name=")") +
           output + R"(" col="0" static="yes"/>
        <paramdef name="a" col="1" static="yes" value=")" +
           a + R"("/>
        <paramdef name="b" col="1" static="yes" value=")" +
           b + R"("/>
      </paramdefs></paramspace></function_widget>)";
  };
  struct Case {
    const char* property;
    Variant value;  // Empty: the function gives it
    std::string function;
    int64_t expected;
  } cases[] = {
      {"width", Variant(10.7), "", 11},
      {"height", Variant(11.5), "", 12},
      {"z", Variant(-1.7), "", -2},
      {"transparentlevel", Variant(100.6), "", 101},
      {"currenttime", Variant(std::string("20.7")), "", 21},
      {"width", Variant(), pulled("width", "10", "0.7"), 11},
      {"z", Variant(), pulled("z", "3", "0.5"), 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.property) + (c.function.empty() ? " set" : " pulled"));
    WidgetHarness h(R"(<widget type="rect_widget" name="r" visible="yes" width="1" height="1" color="$FF0000FF">)" +
                    c.function + "</widget>");
    if (c.function.empty())
      h.SetProp(std::string("r/") + c.property, c.value);
    else
      h.Frame(0);
    EXPECT_EQ(h.Prop(std::string("r/") + c.property).ToInt(), c.expected);
  }
  // And it draws so: width 10.7 covers pixel 10.
  WidgetHarness h(R"(<widget type="rect_widget" name="r" visible="yes" width="1" height="1" color="$FF0000FF"/>)");
  h.SetProp("r/width", Variant(10.7));
  h.Frame(10);
  EXPECT_EQ(h.engine->back->GetPixel(10, 0), 0xFF0000FFu);
}

// Only the copies that meet the 800 x 600 screen are drawn, and the sizes do not wrap around.
TEST_F(WidgetTree, AReplicatorDrawsOnlyTheCopiesOnScreenAndItsSizeSaturates) {
  struct Case {
    const char* name;
    int left, cols, rows, cellWidth, cellHeight;
    int64_t draws, width, height;
  } cases[] = {
      {"a grid larger than the screen", 0, 1000, 1000, 10, 10, 80 * 60, 10000, 10000},
      {"huge counts around a 1 x 1 child", 0, 100000, 3, 1, 1, 800 * 3, 100000, 3},
      {"partly left of the screen", -95, 20, 1, 10, 10, 11, 200, 10},
      {"a width beyond 32 bits", 0, 50000, 2, 50000, 1, 2, INT32_MAX, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto text = [](int64_t value) { return std::to_string(value); };
    WidgetHarness h("<widget type='replicator_widget' name='rep' visible='yes' anchor_left='" + text(c.left) +
                    "' cols='" + text(c.cols) + "' rows='" + text(c.rows) +
                    "'><widgets><widget type='counting_widget' name='cell' visible='yes' width='" + text(c.cellWidth) +
                    "' height='" + text(c.cellHeight) + "'/></widgets></widget>");
    TCountingWidget::draws = 0;
    h.Frame(10);
    EXPECT_EQ(TCountingWidget::draws, c.draws);
    EXPECT_EQ(h.Find("rep")->GetWidth(), c.width);
    EXPECT_EQ(h.Find("rep")->GetHeight(), c.height);
  }
}

TEST_F(WidgetTree, WidgetSoundsPlayThroughTheEngineWithValuesForOnePlay) {
  WidgetHarness h(R"(<widget type="rect_widget" name="w" visible="yes">
      <sounds><sound name="click" resourcename="snd_click" volume="40" pan="-20"/></sounds></widget>)");
  WidgetRef w = h.Find("w");
  EXPECT_NE(w->PlaySound("click", false, 0, 0), 0u);
  EXPECT_NE(w->PlaySound("click", true, 50, 90), 0u);
  EXPECT_NE(w->PlaySound("click", false, 0, 0), 0u);
  EXPECT_EQ(h.engine->playedSounds,
            (std::vector<std::string>{"snd_click@-20/40", "snd_click@50/90", "snd_click@-20/40"}));
  EXPECT_EQ(w->PlaySound("missing", false, 0, 0), 0u);
  w->StopSound("click");
  EXPECT_EQ(h.engine->stoppedSounds, (std::vector<std::string>{"snd_click"}));
}

TEST_F(WidgetTree, PathsOfAnyLengthAreWalkedWithoutRecursion) {
  WidgetHarness h(R"(
    <widget type="group_widget" name="a" visible="yes">
      <widgets><widget type="rect_widget" name="b" visible="yes" z="7"/></widgets></widget>)");
  WidgetRef b = h.Find("a/b");
  ASSERT_TRUE(b);
  std::string dots, swings;
  for (int i = 0; i < 200000; ++i) dots += "./";
  for (int i = 0; i < 100000; ++i) swings += "../b/";
  EXPECT_EQ(b->FindWidget(dots), b);
  EXPECT_EQ(b->FindWidget(swings + "."), b);
  EXPECT_EQ(b->GetProperty(dots + "z").ToInt(), 7);
  // ".." above the root is the root: the screen answers with it.
  EXPECT_EQ(b->FindWidget("../../../../a/b"), b);
}

TEST_F(WidgetTree, ATreeDoesNotGrowPastItsDepthLimitNorBelowItself) {
  WidgetHarness h(R"(<widget type="group_widget" name="g1" visible="yes"/>)");
  WidgetRef deepest = h.Find("g1");
  ::testing::internal::CaptureStderr();
  // The root and g1 are two levels; each group added one level further down until refused.
  int levels = 2;
  for (; levels <= kMaxWidgetTreeDepth + 5; ++levels) {
    WidgetRef group = WidgetHarness::Make(R"(<widget type="group_widget" visible="yes"/>)");
    group->SetName("g" + std::to_string(levels));
    if (!deepest->GetWidgets()->Add(group)) break;
    deepest = group;
  }
  EXPECT_EQ(levels, kMaxWidgetTreeDepth);
  EXPECT_EQ(deepest->GetPath().substr(0, 20), "GS_Harness/g1/g2/g3/");
  h.Frame(10);
  EXPECT_TRUE(deepest->WidgetAtPoint(TPoint{0, 0}) == nullptr);
  // A group cannot go into its own child.
  WidgetRef g1 = h.Find("g1");
  EXPECT_FALSE(h.Find("g1/g2")->GetWidgets()->Add(g1));
  const std::string log = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("would nest deeper than " + std::to_string(kMaxWidgetTreeDepth) + " levels"), std::string::npos)
      << log;
  EXPECT_NE(log.find("Widget \"g1\": not attached below itself"), std::string::npos) << log;
}

TEST_F(WidgetTree, FactoryExpansionStopsWhenValuesKeepExpandingIntoMoreMacros) {
  auto factory = Create<TWidgetFactory>();
  factory->SetName("chain");
  factory->SetWidgetString(R"(<widget type="rect_widget" name="x" extraparams="\t=%p0%"/>)");
  // Each value holds the next macro twice: the text would double forty times.
  ParamsRef params = CreateParams();
  for (int i = 0; i < 40; ++i)
    params->SetValue("p" + std::to_string(i), "%p" + std::to_string(i + 1) + "%%p" + std::to_string(i + 1) + "%");
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(factory->ExpandMacros(params), "");
  EXPECT_EQ(factory->CreateWidget(params), nullptr);
  const std::string log = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("Widget factory \"chain\": its expanded widget string grows past"), std::string::npos) << log;
  // A few levels expand as before.
  ParamsRef few = CreateParams();
  few->SetValue("p0", "%p1%%p1%");
  few->SetValue("p1", "ab");
  EXPECT_EQ(factory->CreateWidget(few)->GetProperty("t").ToString(), "abab");
}

}  // namespace
}  // namespace kestrelle
