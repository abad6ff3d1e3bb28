#include "widgets/play_states.h"

#include "data/numbers.h"

namespace kestrelle {
namespace {

// Leaves a delay once the clock has reached its length; the time past it is kept modulo the
// length. True when the new state must run at once with the remaining time.
bool LeaveDelay(int32_t& state, int64_t length, int64_t& time) {
  if (time < length) return false;
  state = kPlayPlaying;
  if (length != 0) time %= length;
  return time != 0;
}

}  // namespace

void RunPlayStates(PlayStatus& status, const PlayTiming& timing, int64_t& time, IFrameTarget& target) {
  if (!status.running) return;
  // A delay that ends runs the playing state once more with no time elapsed; the playing state
  // never runs again by itself, so this ends.
  for (bool again = true; again;) {
    again = false;
    switch (status.state) {
      case kPlayStartDelay:
        target.ShowFirst();
        again = LeaveDelay(status.state, timing.startDelay, time);
        break;
      case kPlayPlaying:
        if (time >= timing.animationTime) {
          if (!timing.loop) {
            status.running = false;
            status.state = kPlayStopped;
            if (timing.stopOnFirst)
              target.ShowFirst();
            else
              target.ShowLast();
            return;
          }
          status.state = kPlayCycleDelay;
          if (timing.animationTime != 0) time %= timing.animationTime;
        }
        // With an animation time of 0 there is no frame to compute: hold the first.
        if (timing.animationTime > 0)
          target.ShowTime(time);
        else
          target.ShowFirst();
        break;
      case kPlayCycleDelay:
        target.ShowFirst();
        again = LeaveDelay(status.state, timing.cycleDelay, time);
        break;
      default:
        break;
    }
  }
}

int32_t BlinkLevelAt(const BlinkTiming& timing, int64_t t) {
  int64_t level;
  if (t < timing.firstPeriod) {
    level = timing.startLevel + DivTrunc(t * (timing.peakLevel - timing.startLevel), timing.firstPeriod);
  } else if (timing.secondPeriod != 0) {
    level = timing.peakLevel +
            DivTrunc((t - timing.firstPeriod) * (timing.endLevel - timing.peakLevel), timing.secondPeriod);
  } else {
    level = timing.firstPeriod == 0 ? timing.startLevel : timing.peakLevel;
  }
  return static_cast<int32_t>(static_cast<uint64_t>(level) & 0xFF);
}

void RunBlinkStates(BlinkStatus& status, const BlinkTiming& timing, int64_t& time) {
  if (!status.running) return;
  const int64_t period = timing.firstPeriod + timing.secondPeriod;
  const auto stop = [&] {
    status.running = false;
    status.state = kPlayStopped;
    status.level = timing.stopOnFirst ? timing.startLevel : timing.endLevel;
  };
  for (bool again = true; again;) {
    again = false;
    switch (status.state) {
      case kPlayStartDelay:
        status.level = timing.startLevel;
        again = LeaveDelay(status.state, timing.startDelay, time);
        break;
      case kPlayPlaying:
        if (time >= period) {
          if (!timing.loop) {
            stop();
            return;
          }
          status.state = kPlayCycleDelay;
          if (period != 0) time %= period;
          if (status.loopsCount > 0 && --status.loopsCount == 0) {
            stop();
            status.died = true;
            return;
          }
        }
        status.level = period == 0 ? timing.startLevel : BlinkLevelAt(timing, time);
        break;
      case kPlayCycleDelay:
        status.level = timing.startLevel;
        again = LeaveDelay(status.state, timing.cycleDelay, time);
        break;
      default:
        break;
    }
  }
}

}  // namespace kestrelle
