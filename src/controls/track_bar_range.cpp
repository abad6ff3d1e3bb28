#include "controls/track_bar_range.h"

#include <algorithm>
#include <cmath>

#include "data/numbers.h"

namespace kestrelle {

int32_t TTrackBarRange::Snap(double value) const {
  if (std::isnan(value)) return min;
  if (value < min) return min;
  if (value > max) return max;
  int64_t step = std::max(frequency, 1);
  int64_t snapped = step * RoundHalfEven(value / static_cast<double>(step));
  if (max < min) return min;
  return static_cast<int32_t>(std::clamp<int64_t>(snapped, min, max));
}

double TTrackBarRange::SliderOffset(int32_t position, int32_t extent) const {
  if (max <= min) return 0;
  // Position 0 of a new track bar may lie outside its range; the slider stays on the track.
  const double inRange = std::clamp(static_cast<double>(position), static_cast<double>(min), static_cast<double>(max));
  return static_cast<double>(extent) * (inRange - min) / (static_cast<double>(max) - min);
}

int32_t TTrackBarRange::PositionAtOffset(double offset, int32_t extent) const {
  if (extent <= 0) return min;
  double step = std::max(frequency, 1);
  double value = offset * (static_cast<double>(max) - min) / extent + min;
  return static_cast<int32_t>(
      std::clamp<int64_t>(static_cast<int64_t>(step) * RoundHalfEven(value / step), INT32_MIN, INT32_MAX));
}

int32_t TTrackBarRange::Step(int32_t position, int direction) const {
  int64_t next = static_cast<int64_t>(position) + static_cast<int64_t>(direction) * std::max(frequency, 1);
  if (max < min) return min;
  return static_cast<int32_t>(std::clamp<int64_t>(next, min, max));
}

}  // namespace kestrelle
