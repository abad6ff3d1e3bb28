#pragma once
// The clocks of the animated widgets: a start delay, a play (or blink) period, a cycle delay
// between loops, and a stopped state. Each step takes the widget's clock and may set it back
// (a state change keeps the time past the boundary modulo that state's length), so the caller
// stores the clock afterwards.

#include <cstdint>

namespace kestrelle {

enum PlayState : int32_t { kPlayStartDelay = 0, kPlayPlaying = 1, kPlayCycleDelay = 2, kPlayStopped = 3 };

// What an animation shows; the widget maps it to a frame (mirrored when it plays in reverse).
class IFrameTarget {
 public:
  virtual ~IFrameTarget() = default;
  // Frame 0 (delays, and the stop with "stoponfirst").
  virtual void ShowFirst() = 0;
  // The last frame (the stop without "stoponfirst").
  virtual void ShowLast() = 0;
  // The frame for a time 0 .. animation time - 1 of the playing state.
  virtual void ShowTime(int64_t time) = 0;
};

struct PlayTiming {
  bool loop = false;
  bool stopOnFirst = false;
  int64_t startDelay = 0;
  int64_t cycleDelay = 0;
  int64_t animationTime = 0;
};

struct PlayStatus {
  int32_t state = kPlayStartDelay;
  bool running = true;
};

// Runs the play states for clock `time` (which it may set back).
void RunPlayStates(PlayStatus& status, const PlayTiming& timing, int64_t& time, IFrameTarget& target);

struct BlinkTiming {
  bool loop = false;
  bool stopOnFirst = false;
  int64_t firstPeriod = 1;
  int64_t secondPeriod = 1;
  int32_t startLevel = 0;
  int32_t peakLevel = 0;
  int32_t endLevel = 0;
  int64_t startDelay = 0;
  int64_t cycleDelay = 0;
};

struct BlinkStatus {
  int32_t state = kPlayStartDelay;
  bool running = true;
  int32_t loopsCount = 0;  // cycles left when looping; 0 loops for ever
  int32_t level = 0;       // the transparency level to show
  bool died = false;       // the last cycle of a counted loop has ended: the widget removes itself
};

// Runs the blink states for clock `time`; status.level is the level to show afterwards. A blink
// whose two periods are both 0 holds its start level.
void RunBlinkStates(BlinkStatus& status, const BlinkTiming& timing, int64_t& time);

// The level of a blink cycle at time t (0 <= t < first + second period): start to peak over the
// first period, peak to end over the second, in whole steps truncated toward zero, low 8 bits.
int32_t BlinkLevelAt(const BlinkTiming& timing, int64_t t);

}  // namespace kestrelle
