#include "controls/value_animation.h"

#include <cstdlib>

#include "data/numbers.h"

namespace kestrelle {

namespace {

int64_t Magnitude(int64_t v) { return v < 0 ? -v : v; }

}  // namespace

bool TCounterAnimation::Step(int64_t dt) {
  if (current == value) return false;
  if (!animation) {
    current = value;
    return true;
  }
  const int64_t direction = current < value ? 1 : -1;
  const int64_t remaining = maxDuration - elapsed;
  if (remaining <= 0 || remaining < dt) {
    current = value;
    return true;
  }
  const int64_t proportional = (value - current) * dt / remaining;
  const int64_t minimum = direction * (minPerSecond * dt / 1000);
  const int64_t step = Magnitude(proportional) > Magnitude(minimum) ? proportional : minimum;
  const int64_t before = current;
  current += step;
  if ((direction > 0 && current > value) || (direction < 0 && current < value)) current = value;
  elapsed += dt;
  return current != before;
}

void TDigitTimerClock::SetTarget(int64_t value) {
  target = value;
  animating = true;
  animationElapsed = 0;
}

void TDigitTimerClock::SetCurrent(int64_t ms) {
  current = ms;
  animating = false;
  effectTimer = 0;
}

void TDigitTimerClock::Step(int64_t dt) {
  if (animating) {
    const int64_t remaining = animationDuration - animationElapsed;
    if (remaining <= 0 || remaining < dt) {
      current = target;
      animating = false;
      return;
    }
    const int64_t proportional = (target - current) * dt / remaining;
    const int64_t minimum = dt * animationMinSpeed / 1000;
    current += Magnitude(proportional) > Magnitude(minimum) ? proportional : minimum;
    if (current >= target) {
      current = target;
      animating = false;
    }
    animationElapsed += dt;
    return;
  }
  if (countdown) {
    current = current - dt > 0 ? current - dt : 0;
    effectTimer += dt;
  } else {
    current += dt;
  }
}

bool TDigitTimerClock::TakeEffect() {
  if (!countdown || current <= 0 || effectTimer < 0) return false;
  if (current <= 9999) {
    effectTimer = -2000;
  } else if (current < 30000) {
    effectTimer = -10000;
  } else if (current < 60000) {
    effectTimer = -30000;
  } else {
    return false;
  }
  return true;
}

TTimerTexts FormatTimer(int64_t ms) {
  int64_t total = RoundHalfEven(static_cast<double>(ms) / 1000.0);
  int64_t minutes = total / 60;
  int64_t seconds = total % 60;
  std::string secs = (seconds < 10 ? "0" : "") + std::to_string(seconds);
  TTimerTexts texts;
  texts.timeString = std::to_string(minutes) + " : " + secs + " ";
  texts.minutes = std::to_string(minutes) + ":" + secs;
  texts.seconds = secs;
  return texts;
}

}  // namespace kestrelle
