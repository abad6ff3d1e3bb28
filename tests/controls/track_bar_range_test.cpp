// Track bar arithmetic: snapping to the frequency within the limits, slider offsets and drags.
#include "controls/track_bar_range.h"

#include <gtest/gtest.h>

namespace kestrelle {
namespace {

TEST(TrackBarRange, SnapTable) {
  struct Case {
    int32_t min, max, frequency;
    double value;
    int32_t expected;
  };
  const Case cases[] = {
      {0, 100, 10, 44, 40},     {0, 100, 10, 45, 40},  // 4.5 rounds to the even 4
      {0, 100, 10, 46, 50},     {0, 100, 10, 55, 60},  // 5.5 rounds to the even 6
      {0, 100, 10, -5, 0},      {0, 100, 10, 130, 100},
      {0, 95, 10, 95, 95},                           // 9.5 rounds to 10, but 100 would overshoot the maximum
      {0, 95, 10, 94, 90},      {5, 100, 10, 5, 5},  // 0 would undershoot the minimum
      {-50, 50, 1, -12.5, -12}, {0, 0, 1, 7, 0},
  };
  for (const auto& c : cases) {
    TTrackBarRange range{c.min, c.max, c.frequency};
    EXPECT_EQ(range.Snap(c.value), c.expected)
        << c.min << ".." << c.max << " step " << c.frequency << " value " << c.value;
  }
}

TEST(TrackBarRange, SliderOffsetsAndDrags) {
  TTrackBarRange range{0, 100, 10};
  // A 200-pixel track with a 20-pixel slider: 180 pixels of travel.
  EXPECT_DOUBLE_EQ(range.SliderOffset(0, 180), 0);
  EXPECT_DOUBLE_EQ(range.SliderOffset(50, 180), 90);
  EXPECT_DOUBLE_EQ(range.SliderOffset(100, 180), 180);
  EXPECT_EQ(range.PositionAtOffset(0, 180), 0);
  EXPECT_EQ(range.PositionAtOffset(81, 180), 40);  // 45 → the even 40
  EXPECT_EQ(range.PositionAtOffset(82, 180), 50);  // 45.6 → 50
  EXPECT_EQ(range.PositionAtOffset(180, 180), 100);
  EXPECT_EQ(range.PositionAtOffset(10, 0), 0);  // no travel: the minimum
  EXPECT_DOUBLE_EQ(TTrackBarRange({3, 3, 1}).SliderOffset(3, 50), 0);
}

TEST(TrackBarRange, KeyStepsStayWithinTheLimits) {
  TTrackBarRange range{0, 25, 10};
  EXPECT_EQ(range.Step(20, +1), 25);
  EXPECT_EQ(range.Step(5, -1), 0);
  EXPECT_EQ(range.Step(10, +1), 20);
}

}  // namespace
}  // namespace kestrelle
