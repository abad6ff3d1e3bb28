#pragma once
// The arithmetic of the track bar: positions snapped to steps of the frequency within the limits,
// the slider's offset for a position, and the position for a dragged slider offset.

#include <cstdint>

namespace kestrelle {

struct TTrackBarRange {
  int32_t min = 0;
  int32_t max = 0;
  int32_t frequency = 1;  // never below 1

  // Below Min gives Min, above Max gives Max; otherwise the nearest multiple of the frequency
  // (halves to even), kept within the limits so that a step never overshoots them.
  int32_t Snap(double value) const;
  // The slider's offset along the track for a position: extent × (position − Min) / (Max − Min),
  // with extent the track length minus the slider length. A position outside the limits counts
  // as the nearer limit; 0 when Max is not above Min.
  double SliderOffset(int32_t position, int32_t extent) const;
  // The position for a slider dragged to `offset` on a track of `extent` (> 0), before Snap.
  int32_t PositionAtOffset(double offset, int32_t extent) const;
  // One keyboard step (direction −1 or +1) within the limits.
  int32_t Step(int32_t position, int direction) const;
};

}  // namespace kestrelle
