// The track bar: its shown value runs towards the target over the animation time and its child
// bar follows; without animation it jumps; a bar of no width stays empty.

#include <gtest/gtest.h>

#include <string>

#include "support/widget_harness.h"

namespace kestrelle {
namespace {

// A 200-pixel bar; "width" of the inner image shows how much of it is filled.
std::string BarXml(const std::string& attributes, int barWidth = 200) {
  const std::string width = std::to_string(barWidth);
  return R"(<widget type="AnimatedBarControl" name="track" width="200" height="10" visible="yes" )" + attributes +
         R"(><widgets><widget type="ProgressBarControl" name="bar" width=")" + width +
         R"(" height="10" visible="yes"><widgets><widget type="image_widget" name="fill" width=")" + width +
         R"(" height="10" visible="yes"/></widgets></widget></widgets></widget>)";
}

TEST(AnimatedBar, RunsTowardsItsTargetOverTheAnimationTime) {
  testing::EnsureGameClassesRegistered();
  testing::WidgetHarness h(BarXml(R"(maxincrementaldurationtime="1000" minincrementalvaluepersecond="0")"));
  EXPECT_EQ(h.Prop("track/bar_width").ToInt(), 200);
  h.SetProp("track/value", Variant(100));
  EXPECT_FALSE(h.Prop("track/animation_complete").ToBool());

  // A quarter of the time gives a quarter of the way, and so on; the last step would overshoot
  // the time left and lands on the target.
  const struct {
    int32_t frame;
    int64_t shown;
  } steps[] = {{250, 25}, {250, 50}, {400, 90}, {200, 100}};
  for (const auto& step : steps) {
    h.Frame(step.frame);
    EXPECT_EQ(h.Prop("track/current_value").ToInt(), step.shown);
    EXPECT_EQ(h.Find("track/bar")->GetProperty("position").ToDouble(), step.shown / 200.0);
    EXPECT_EQ(h.Prop("track/bar/fill/width").ToInt(), step.shown);
  }
  EXPECT_TRUE(h.Prop("track/animation_complete").ToBool());

  // A new target starts a new animation time; the way back down runs the same way.
  h.SetProp("track/value", Variant(0));
  h.Frame(500);
  EXPECT_EQ(h.Prop("track/current_value").ToInt(), 50);
}

TEST(AnimatedBar, JumpsWithoutAnimationAndStaysEmptyWithoutWidth) {
  testing::EnsureGameClassesRegistered();
  {
    testing::WidgetHarness h(BarXml(R"(animation="no" maxincrementaldurationtime="1000")"));
    h.SetProp("track/value", Variant(150));
    h.Frame(10);
    EXPECT_EQ(h.Prop("track/current_value").ToInt(), 150);
    EXPECT_EQ(h.Prop("track/bar/fill/width").ToInt(), 150);
  }
  {
    testing::WidgetHarness h(BarXml(R"(animation="no")", 0));
    h.SetProp("track/value", Variant(150));
    h.Frame(10);
    EXPECT_EQ(h.Prop("track/bar_width").ToInt(), 0);
    EXPECT_EQ(h.Find("track/bar")->GetProperty("position").ToDouble(), 0.0);
  }
}

}  // namespace
}  // namespace kestrelle
