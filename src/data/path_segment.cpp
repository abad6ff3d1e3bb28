#include "data/path_segment.h"

#include <algorithm>
#include <cmath>

#include "data/numbers.h"

namespace kestrelle {

void TSegmentPathFunction::Calculate() {
  double f = Fraction();
  double x0 = At(2, 0), y0 = At(2, 1), x1 = At(2, 2), y1 = At(2, 3);
  SetPoint(x0 + (x1 - x0) * f, y0 + (y1 - y0) * f);
}

double TSegmentPathFunction::GetLength() { return RoundedChordLength(At(2, 2) - At(2, 0), At(2, 3) - At(2, 1)); }

PathBounds TSegmentPathFunction::GetBounds() {
  auto round = [](double v) { return static_cast<int32_t>(RoundHalfEven(v)); };
  double x0 = At(2, 0), y0 = At(2, 1), x1 = At(2, 2), y1 = At(2, 3);
  return {round(std::min(x0, x1)), round(std::min(y0, y1)), round(std::max(x0, x1)), round(std::max(y0, y1))};
}

void TAccelerateSegmentPathFunction::Calculate() {
  double x0 = At(2, 0), y0 = At(2, 1), x1 = At(2, 2), y1 = At(2, 3);
  double length = GetStoredLength();
  if (length == 0.0 || !std::isfinite(length)) {
    SetPoint(x0, y0);
    return;
  }
  double k = static_cast<double>(EffectiveStep());
  double distance = k * k * At(2, 7) / 2.0 + k * At(2, 6);
  SetPoint(x0 + (x1 - x0) * distance / length, y0 + (y1 - y0) * distance / length);
}

}  // namespace kestrelle
