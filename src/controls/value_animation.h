#pragma once
// The counting of the number label and the digit timer: a shown value that runs towards a target
// over a time budget, never slower than a minimum speed, and the countdown clock with its
// reminder effects.

#include <cstdint>
#include <string>

namespace kestrelle {

// The number label's shown value running towards its target.
struct TCounterAnimation {
  int64_t value = 0;    // the target
  int64_t current = 0;  // the shown value
  bool animation = true;
  int64_t minPerSecond = 0;  // "minincrementalvaluepersecond"
  int64_t maxDuration = 0;   // "maxincrementaldurationtime"
  int64_t elapsed = 0;

  void SetTarget(int64_t target) {
    value = target;
    elapsed = 0;
  }
  // One frame of `dt` ms; true when the shown value changed. With no time left the target is
  // shown at once.
  bool Step(int64_t dt);
};

// The digit timer's clock: counting up, counting down with reminder effects, or running to a
// set value.
struct TDigitTimerClock {
  bool countdown = false;
  int64_t effectTimer = 0;
  int64_t target = 0;
  int64_t current = 0;  // ms
  int64_t animationMinSpeed = 100;
  int64_t animationDuration = 1000;
  bool animating = false;
  int64_t animationElapsed = 0;

  // "value": run to `value` within the animation duration.
  void SetTarget(int64_t value);
  // "currenttime": jump to `ms`, stop any run and restart the reminders.
  void SetCurrent(int64_t ms);
  // One frame: the run towards the target, else the clock.
  void Step(int64_t dt);
  // Whether a reminder effect is due now (in a countdown with time left); when it is, the next
  // one is scheduled: every 30 s in the last minute, every 10 s in the last 30 s, every 2 s in
  // the last 10 s.
  bool TakeEffect();
};

// The texts of a time in ms rounded to whole seconds (halves to even).
struct TTimerTexts {
  std::string timeString;  // "5 : 07 "
  std::string minutes;     // "5:07"
  std::string seconds;     // "07"
};
TTimerTexts FormatTimer(int64_t ms);

}  // namespace kestrelle
