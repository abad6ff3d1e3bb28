#include "widgets/play_states.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrelle {
namespace {

// Frames as the frame-grid animation maps them: frames x time / animation time, mirrored in
// reverse.
struct GridFrames : IFrameTarget {
  int64_t frames = 4, animationTime = 400;
  bool reverse = false;
  int64_t frame = -1;
  void Show(int64_t n) { frame = reverse ? frames - n - 1 : n; }
  void ShowFirst() override { Show(0); }
  void ShowLast() override { Show(frames - 1); }
  void ShowTime(int64_t t) override { Show(frames * t / animationTime); }
};

struct Step {
  int64_t elapsed;
  int64_t frame;
  int32_t state;
  int64_t clock;
};

void Play(const PlayTiming& timing, bool reverse, const std::vector<Step>& steps) {
  GridFrames target;
  target.reverse = reverse;
  PlayStatus status;
  int64_t clock = 0;
  for (const Step& step : steps) {
    clock += step.elapsed;
    RunPlayStates(status, timing, clock, target);
    EXPECT_EQ(target.frame, step.frame) << "clock " << clock;
    EXPECT_EQ(status.state, step.state) << "clock " << clock;
    EXPECT_EQ(clock, step.clock);
    EXPECT_EQ(status.running, step.state != kPlayStopped);
  }
}

TEST(PlayStates, FramesSpreadEvenlyOverTheAnimationTime) {
  // 4 frames over 400 ms, looping, no delays.
  Play({.loop = true, .animationTime = 400}, false,
       {{0, 0, kPlayPlaying, 0},
        {99, 0, kPlayPlaying, 99},
        {1, 1, kPlayPlaying, 100},
        {199, 2, kPlayPlaying, 299},
        {100, 3, kPlayPlaying, 399},
        {1, 0, kPlayCycleDelay, 0},  // the cycle delay, clock wrapped
        {150, 1, kPlayPlaying, 150}});
}

TEST(PlayStates, WithoutLoopStopsOnTheLastOrFirstFrameMirroredInReverse) {
  struct Case {
    bool stopOnFirst, reverse;
    int64_t stopFrame;
  };
  for (Case c : {Case{false, false, 3}, Case{true, false, 0}, Case{false, true, 0}, Case{true, true, 3}}) {
    SCOPED_TRACE(::testing::Message() << c.stopOnFirst << c.reverse);
    Play({.stopOnFirst = c.stopOnFirst, .animationTime = 400}, c.reverse,
         {{100, c.reverse ? 2 : 1, kPlayPlaying, 100},
          {350, c.stopFrame, kPlayStopped, 450},
          {500, c.stopFrame, kPlayStopped, 950}});
  }
}

TEST(PlayStates, DelaysShowTheFirstFrameAndHandTheRemainderOn) {
  // A start delay of 100 and a cycle delay of 50: the time past a delay is kept modulo the delay
  // and spent in the playing state at once.
  Play({.loop = true, .startDelay = 100, .cycleDelay = 50, .animationTime = 400}, false,
       {{60, 0, kPlayStartDelay, 60},
        {70, 0, kPlayPlaying, 30},  // 130 mod 100
        {370, 0, kPlayCycleDelay, 0},
        {49, 0, kPlayCycleDelay, 49},
        {131, 0, kPlayPlaying, 30},  // 180 mod 50
        {100, 1, kPlayPlaying, 130}});
}

TEST(PlayStates, AnAnimationTimeOfZeroHoldsTheFirstFrame) {
  Play({.loop = true, .animationTime = 0}, false, {{10, 0, kPlayCycleDelay, 10}, {10, 0, kPlayCycleDelay, 20}});
}

struct BlinkStep {
  int64_t elapsed;
  int32_t level;
  int32_t state;
};

TEST(BlinkStates, LevelsRiseToThePeakAndFallBackInWholeSteps) {
  BlinkTiming timing{.firstPeriod = 500, .secondPeriod = 500, .startLevel = 0, .peakLevel = 255, .endLevel = 0};
  BlinkStatus status;
  int64_t clock = 0;
  const BlinkStep steps[] = {
      {0, 0, kPlayPlaying},     {250, 127, kPlayPlaying},  // 127.5 truncated
      {250, 255, kPlayPlaying}, {250, 128, kPlayPlaying},  // 255 - 127.5 truncated toward zero
      {249, 1, kPlayPlaying},   {1, 0, kPlayStopped},      // 1000: one cycle without loop ends at the end level
  };
  for (const BlinkStep& step : steps) {
    clock += step.elapsed;
    RunBlinkStates(status, timing, clock);
    EXPECT_EQ(status.level, step.level) << clock;
    EXPECT_EQ(status.state, step.state) << clock;
  }
  EXPECT_FALSE(status.running);
  EXPECT_FALSE(status.died);

  // Levels outside 0..255 keep their low 8 bits.
  EXPECT_EQ(BlinkLevelAt({.firstPeriod = 10, .secondPeriod = 10, .startLevel = 250, .peakLevel = 260}, 10), 4);
  // Both periods 0: held at the start level.
  BlinkStatus still;
  int64_t t = 30;
  RunBlinkStates(still, {.loop = true, .firstPeriod = 0, .secondPeriod = 0, .startLevel = 9}, t);
  EXPECT_EQ(still.level, 9);
}

TEST(BlinkStates, ACountedLoopDiesAfterItsCycles) {
  BlinkTiming timing{.loop = true,
                     .firstPeriod = 100,
                     .secondPeriod = 100,
                     .startLevel = 10,
                     .peakLevel = 210,
                     .endLevel = 50,
                     .cycleDelay = 20};
  BlinkStatus status;
  status.loopsCount = 2;
  int64_t clock = 0;
  RunBlinkStates(status, timing, clock);
  clock += 150;
  RunBlinkStates(status, timing, clock);
  EXPECT_EQ(status.level, 130);  // 210 + 50 x (50 - 210) / 100
  clock += 60;                   // 210: first cycle over, into the cycle delay at 10
  RunBlinkStates(status, timing, clock);
  EXPECT_EQ(status.state, kPlayCycleDelay);
  EXPECT_EQ(status.level, 30);  // computed from the wrapped clock
  EXPECT_EQ(clock, 10);
  EXPECT_EQ(status.loopsCount, 1);
  clock += 15;  // 25: delay over, 5 into the second cycle
  RunBlinkStates(status, timing, clock);
  EXPECT_EQ(status.state, kPlayPlaying);
  EXPECT_EQ(status.level, 20);
  clock += 200;
  RunBlinkStates(status, timing, clock);
  EXPECT_TRUE(status.died);
  EXPECT_EQ(status.state, kPlayStopped);
  EXPECT_EQ(status.level, 50);
}

}  // namespace
}  // namespace kestrelle
