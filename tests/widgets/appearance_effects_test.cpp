// Appearance effect widgets (show and hide through effects over a snapshot, the mouse held off
// meanwhile) and the sequence transition.

#include <gtest/gtest.h>

#include <string>

#include "support/widget_harness.h"
#include "widgets/appearance_effect_widget.h"
#include "widgets/transition_effect_widget.h"

namespace kestrelle {
namespace {

using testing::WidgetHarness;

// An effect that shows the snapshot, unmoved, for `duration` ms.
std::string Effect(const std::string& name, int duration) {
  return "<widget type=\"func_appearance_effect\" name=\"" + name + "\" durationtime=\"" + std::to_string(duration) +
         "\" surfaceparamname=\"pic/surface\"><widgets><widget type=\"surface_widget\" name=\"pic\" "
         "visible=\"yes\"/></widgets></widget>";
}

// An effect root holding a red 10 x 10 rectangle at (5, 5) with the given effects.
std::string Root(const std::string& effects, const std::string& attributes = "") {
  return "<widget type=\"appearance_effect_widget\" name=\"fx\" visible=\"yes\" mousestop=\"yes\" " + attributes +
         "><widgets><widget type=\"rect_widget\" name=\"r\" color=\"$FFFF0000\" width=\"10\" height=\"10\" "
         "anchor_left=\"5\" anchor_top=\"5\" visible=\"yes\" mousestop=\"yes\"/></widgets><effects><widgets>" +
         effects + "</widgets></effects></widget>";
}

bool Applying(WidgetHarness& h) { return h.Prop("fx/applyingeffect").ToBool(); }

WidgetRef EffectNamed(WidgetHarness& h, const std::string& name) {
  auto fx = std::dynamic_pointer_cast<TAbstractEffectWdiget>(h.Find("fx"));
  return fx && fx->GetEffects() ? fx->GetEffects()->FindWidget(name) : nullptr;
}

TEST(AppearanceEffectWidget, HidesAtOnceWithoutAHideEffect) {
  for (const std::string& attributes : {std::string(), std::string("enable_effects=\"no\"")}) {
    WidgetHarness h(Root(Effect("show_effect", 400), attributes));
    h.Frame(10);
    h.Find("fx")->SetVisible(false);
    EXPECT_FALSE(h.Find("fx")->GetVisible());
    EXPECT_FALSE(Applying(h));
  }
}

TEST(AppearanceEffectWidget, StaysVisibleAndFrozenUntilItsHideEffectIsOver) {
  WidgetHarness h(Root(Effect("hide_effect", 400)));
  h.Frame(10);
  h.Find("fx")->SetVisible(false);
  EXPECT_TRUE(Applying(h));
  h.engine->back->Clear();
  h.Frame(100);
  EXPECT_TRUE(h.Find("fx")->GetVisible());
  EXPECT_EQ(h.Prop("fx/r/currenttime").ToInt(), 10);                // the real child stands still
  EXPECT_GE((h.engine->back->GetPixel(5, 5) >> 16) & 0xFF, 0xFDu);  // the snapshot, where the child was
  EXPECT_GE((h.engine->back->GetPixel(14, 14) >> 16) & 0xFF, 0xFDu);
  EXPECT_EQ(h.engine->back->GetPixel(15, 15) & 0xFFFFFF, 0u);
  h.Frame(299);
  EXPECT_TRUE(h.Find("fx")->GetVisible());
  h.Frame(1);
  EXPECT_FALSE(h.Find("fx")->GetVisible());
  EXPECT_FALSE(Applying(h));
  EXPECT_FALSE(EffectNamed(h, "hide_effect")->GetVisible());
}

TEST(AppearanceEffectWidget, ShowingDuringAHideEndsTheHideAndPlaysTheShow) {
  WidgetHarness h(Root(Effect("show_effect", 200) + Effect("hide_effect", 400)));
  h.Frame(10);
  h.Find("fx")->SetVisible(false);
  h.Frame(100);
  h.Find("fx")->SetVisible(true);
  EXPECT_TRUE(h.Find("fx")->GetVisible());
  EXPECT_TRUE(Applying(h));
  EXPECT_FALSE(EffectNamed(h, "hide_effect")->GetVisible());
  EXPECT_TRUE(EffectNamed(h, "show_effect")->GetVisible());
  h.Frame(200);
  EXPECT_FALSE(Applying(h));
  EXPECT_TRUE(h.Find("fx")->GetVisible());
  EXPECT_EQ(h.Prop("fx/r/currenttime").ToInt(), 10);  // frozen through the frame the effect ends in
  h.Frame(10);
  EXPECT_EQ(h.Prop("fx/r/currenttime").ToInt(), 20);
}

TEST(AppearanceEffectWidget, TakesNoMouseWhileAnEffectPlays) {
  for (const bool skip : {true, false}) {
    SCOPED_TRACE(skip);
    WidgetHarness h(Root(Effect("show_effect", 100), skip ? "" : "skip_process_mouse=\"no\""));
    h.Find("fx")->SetVisible(false);
    h.Find("fx")->SetVisible(true);
    h.Frame(10);
    ASSERT_TRUE(Applying(h));
    EXPECT_EQ(h.screen->WidgetAtPoint(TPoint{8, 8}) == nullptr, skip);
    h.Frame(100);
    EXPECT_EQ(h.screen->WidgetAtPoint(TPoint{8, 8}), h.Find("fx/r"));
  }
}

TEST(AppearanceEffectWidget, AnUnknownEffectIsSkippedAndANewEffectReplacesThePlayingOne) {
  WidgetHarness h(Root(Effect("show_effect", 100) + Effect("pulse", 100)));
  auto fx = std::dynamic_pointer_cast<TAbstractEffectWdiget>(h.Find("fx"));
  fx->ApplyEffect("no_such_effect");
  EXPECT_FALSE(fx->GetApplying());
  fx->ApplyEffect("pulse");
  EXPECT_TRUE(fx->GetApplying());
  EXPECT_EQ(h.Prop("fx/effect_state").ToInt(), 0);
  fx->ApplyEffect("show_effect");
  EXPECT_FALSE(EffectNamed(h, "pulse")->GetVisible());
  EXPECT_TRUE(EffectNamed(h, "show_effect")->GetVisible());
  h.Frame(100);
  EXPECT_FALSE(fx->GetApplying());
  EXPECT_EQ(h.Prop("fx/effect_state").ToInt(), 1);
}

// Four frames over 400 ms: child round(4 t / 400), halves to even.
TEST(SequenceTransitionEffect, ShowsTheFrameOfTheRoundedProgress) {
  for (const bool cycle : {false, true}) {
    SCOPED_TRACE(cycle);
    std::string frames;
    for (int i = 0; i < 4; ++i)
      frames += "<widget type=\"rect_widget\" name=\"f" + std::to_string(i) + "\" width=\"1\" height=\"1\"/>";
    WidgetHarness h("<widget type=\"sequience_transition_effect\" name=\"s\" visible=\"yes\" durationtime=\"400\"" +
                    std::string(cycle ? " extraparams=\"\\cycle=yes\"" : "") + "><widgets>" + frames +
                    "</widgets></widget>");
    struct Step {
      int32_t time;
      int32_t frame;  // -1: none shown
    } steps[] = {{0, 0}, {50, 0}, {51, 1}, {149, 1}, {150, 2}, {250, 2}, {251, 3}, {349, 3}, {350, cycle ? 0 : -1}};
    int32_t now = 0;
    for (const Step& s : steps) {
      h.Frame(s.time - now);
      now = s.time;
      for (int i = 0; i < 4; ++i)
        EXPECT_EQ(h.Prop("s/f" + std::to_string(i) + "/visible").ToBool(), i == s.frame) << "at " << s.time;
    }
  }
}

}  // namespace
}  // namespace kestrelle

namespace kestrelle {
namespace {

// The effect as the demo's dialogs declare it: the snapshot in a zoom widget whose function
// widens it from 1 to 2, while the effect's own function fades the zoom widget in (every slot
// of a widget's function is static: the binding names give them their values).
TEST(FunctionAppearanceEffect, AnimatesTheSnapshotThroughFunctionsOfItsTree) {
  auto linear = [](const std::string& out, int from, int to, int steps) {
    return "<function_widget type=\"function_linear_segment\"><paramspace><paramdefs>"
           "<paramdef name=\"value\" col=\"0\" row=\"0\" static=\"yes\" outname=\"" +
           out + "\"/><paramdef name=\"from\" col=\"1\" row=\"0\" static=\"yes\" value=\"" + std::to_string(from) +
           "\"/><paramdef name=\"to\" col=\"1\" row=\"1\" static=\"yes\" value=\"" + std::to_string(to) +
           "\"/><paramdef name=\"time\" col=\"1\" row=\"2\" static=\"yes\" outname=\"currenttime\"/>"
           "<paramdef name=\"steps\" col=\"1\" row=\"3\" static=\"yes\" value=\"" +
           std::to_string(steps) + "\"/></paramdefs></paramspace></function_widget>";
  };
  const std::string effect =
      "<widget type=\"func_appearance_effect\" name=\"show_effect\" durationtime=\"100\" "
      "surfaceparamname=\"zoom/pic/surface\">" +
      linear("zoom/transparentlevel", 0, 255, 100) +
      "<widgets><widget type=\"zoom_widget\" name=\"zoom\" anchor_left=\"5\" anchor_top=\"5\" centerx=\"5\" "
      "centery=\"5\" visible=\"yes\">" +
      linear("zoomx", 1, 2, 100) +
      "<widgets><widget type=\"surface_widget\" name=\"pic\" visible=\"yes\"/></widgets></widget></widgets></widget>";
  WidgetHarness h(Root(effect));
  h.Find("fx")->SetVisible(false);
  h.Frame(10);
  h.engine->back->Clear();
  h.Find("fx")->SetVisible(true);
  h.Frame(50);
  // Half way: 1.5 times as wide around the middle (10, 10), half opaque.
  const uint32_t middle = h.engine->back->GetPixel(10, 10);
  EXPECT_GT((middle >> 16) & 0xFF, 0x60u);
  EXPECT_LT((middle >> 16) & 0xFF, 0xA0u);
  EXPECT_NE(h.engine->back->GetPixel(3, 10) & 0xFF0000, 0u);  // 7.5 pixels left of the middle
  EXPECT_EQ(h.engine->back->GetPixel(10, 3) & 0xFF0000, 0u);  // not zoomed vertically
}

}  // namespace
}  // namespace kestrelle
