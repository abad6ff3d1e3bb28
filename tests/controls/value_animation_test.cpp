// The counting of number labels and digit timers.
#include "controls/value_animation.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrelle {
namespace {

std::vector<int64_t> RunCounter(TCounterAnimation counter, int64_t dt, int frames) {
  std::vector<int64_t> shown;
  for (int i = 0; i < frames; ++i) {
    counter.Step(dt);
    shown.push_back(counter.current);
  }
  return shown;
}

TEST(CounterAnimation, SequencesTable) {
  struct Case {
    const char* name;
    int64_t from, to, minPerSecond, maxDuration, dt;
    bool animation;
    std::vector<int64_t> expected;
  };
  const Case cases[] = {
      {"proportional over the budget", 0, 100, 0, 40, 10, true, {25, 50, 75, 100, 100}},
      {"downwards", 100, 0, 0, 40, 10, true, {75, 50, 25, 0, 0}},
      {"the minimum speed wins when larger", 0, 100, 3000, 1000, 10, true, {30, 60, 90, 100, 100}},
      {"without animation at once", 0, 1234, 0, 1000, 10, false, {1234, 1234}},
      {"no budget left finishes at once", 0, 500, 0, 0, 10, true, {500}},
      {"zero budget and zero elapsed time still finish", 0, 500, 0, 0, 0, true, {500}},
      {"a frame longer than the rest finishes", 0, 500, 0, 5, 10, true, {500}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TCounterAnimation counter;
    counter.current = c.from;
    counter.animation = c.animation;
    counter.minPerSecond = c.minPerSecond;
    counter.maxDuration = c.maxDuration;
    counter.SetTarget(c.to);
    EXPECT_EQ(RunCounter(counter, c.dt, static_cast<int>(c.expected.size())), c.expected);
  }
}

TEST(CounterAnimation, ReachesTheTargetAtTheEndOfItsBudget) {
  TCounterAnimation counter;
  counter.maxDuration = 1000;
  counter.SetTarget(1000);
  int frames = 0;
  int64_t previous = 0;
  while (counter.current != counter.value && frames < 1000) {
    counter.Step(10);
    ++frames;
    EXPECT_EQ(counter.current - previous, 10) << "frame " << frames;  // even steps
    previous = counter.current;
  }
  EXPECT_EQ(frames, 100);
  // A new target restarts the budget.
  counter.SetTarget(0);
  counter.Step(500);
  EXPECT_EQ(counter.current, 500);
}

TEST(DigitTimer, TextsRoundToWholeSeconds) {
  struct Case {
    int64_t ms;
    const char *timeString, *minutes, *seconds;
  };
  const Case cases[] = {
      {307000, "5 : 07 ", "5:07", "07"}, {0, "0 : 00 ", "0:00", "00"},        {59500, "1 : 00 ", "1:00", "00"},
      {58500, "0 : 58 ", "0:58", "58"},  {600400, "10 : 00 ", "10:00", "00"},
  };
  for (const auto& c : cases) {
    auto texts = FormatTimer(c.ms);
    EXPECT_EQ(texts.timeString, c.timeString) << c.ms;
    EXPECT_EQ(texts.minutes, c.minutes) << c.ms;
    EXPECT_EQ(texts.seconds, c.seconds) << c.ms;
  }
}

TEST(DigitTimer, CountdownRemindersGetMoreFrequent) {
  TDigitTimerClock clock;
  clock.countdown = true;
  clock.SetCurrent(65000);
  std::vector<int64_t> effectsAt;
  for (int64_t t = 0; t <= 70000; t += 10) {
    if (t > 0) clock.Step(10);
    if (clock.TakeEffect()) effectsAt.push_back(clock.current);
  }
  EXPECT_EQ(clock.current, 0);
  // Below 60 s, then every 30 s until 30 s, every 10 s until 10 s, every 2 s after.
  const std::vector<int64_t> expected = {59990, 29990, 19990, 9990, 7990, 5990, 3990, 1990};
  EXPECT_EQ(effectsAt, expected);
}

TEST(DigitTimer, CountingUpAndRunningToAValue) {
  TDigitTimerClock up;
  up.SetCurrent(1000);
  up.Step(250);
  EXPECT_EQ(up.current, 1250);
  EXPECT_FALSE(up.TakeEffect());  // only countdowns remind

  TDigitTimerClock run;
  run.SetTarget(10000);  // 1 s budget, at least 100 per second
  run.Step(100);
  EXPECT_EQ(run.current, 1000);
  EXPECT_TRUE(run.animating);
  for (int i = 0; i < 9; ++i) run.Step(100);
  EXPECT_EQ(run.current, 10000);
  EXPECT_FALSE(run.animating);

  TDigitTimerClock spent;  // a run whose budget is used up finishes instead of dividing by zero
  spent.animationDuration = 0;
  spent.SetTarget(5000);
  spent.Step(0);
  EXPECT_EQ(spent.current, 5000);
  EXPECT_FALSE(spent.animating);

  TDigitTimerClock down;
  down.countdown = true;
  down.SetCurrent(30);
  down.Step(50);
  EXPECT_EQ(down.current, 0);  // never below 0
}

}  // namespace
}  // namespace kestrelle
