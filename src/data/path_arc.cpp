#include "data/path_arc.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kestrelle {

namespace {
constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kQuarter = std::numbers::pi / 2.0;

int32_t AwayFromZero(double v) { return static_cast<int32_t>(v >= 0 ? std::ceil(v) : std::floor(v)); }
}  // namespace

void TArcPathFunction::Execute() {
  TAbstractPathFunction::Execute();
  double x0 = At(2, 0), y0 = At(2, 1), x1 = At(2, 2), y1 = At(2, 3), cx = At(2, 6), cy = At(2, 7);
  double a0 = std::atan2(y0 - cy, x0 - cx);
  double a1 = std::atan2(y1 - cy, x1 - cx);
  double direction = At(4, 0);
  if (direction == 1.0 && a0 > a1) a1 += kTwoPi;
  if (direction == 0.0 && a0 < a1) a0 += kTwoPi;
  Put(3, 0, std::hypot(x0 - cx, y0 - cy));
  Put(3, 1, std::hypot(x1 - cx, y1 - cy));
  Put(3, 2, a0);
  Put(3, 3, a1);
  Put(2, 5, GetLength());
}

void TArcPathFunction::Calculate() {
  double f = Fraction();
  double r0 = At(3, 0), r1 = At(3, 1), a0 = At(3, 2), a1 = At(3, 3);
  double angle = a0 + f * (a1 - a0);
  double r = r0 + f * (r1 - r0);
  SetPoint(r * std::cos(angle) + At(2, 6), r * std::sin(angle) + At(2, 7));
}

double TArcPathFunction::GetLength() { return std::fabs(At(3, 2) - At(3, 3)) * At(3, 0); }

PathBounds TArcPathFunction::GetBounds() {
  double x0 = At(2, 0), y0 = At(2, 1), x1 = At(2, 2), y1 = At(2, 3), cx = At(2, 6), cy = At(2, 7);
  double r0 = At(3, 0), a0 = At(3, 2), a1 = At(3, 3);
  double minX = std::min(x0, x1), maxX = std::max(x0, x1), minY = std::min(y0, y1), maxY = std::max(y0, y1);
  double low = std::min(a0, a1), high = std::max(a0, a1);
  if (std::isfinite(low) && std::isfinite(high)) {
    // The circle's extreme points at multiples of a quarter turn strictly inside the sweep.
    static constexpr double kCos[4] = {1, 0, -1, 0};
    static constexpr double kSin[4] = {0, 1, 0, -1};
    double k = std::floor(low / kQuarter) + 1.0;
    for (int guard = 0; k * kQuarter < high && guard < 12; ++guard, k += 1.0) {
      int quadrant = static_cast<int>(std::fmod(std::fmod(k, 4.0) + 4.0, 4.0));
      double px = cx + r0 * kCos[quadrant], py = cy + r0 * kSin[quadrant];
      minX = std::min(minX, px);
      maxX = std::max(maxX, px);
      minY = std::min(minY, py);
      maxY = std::max(maxY, py);
    }
  }
  return {static_cast<int32_t>(std::floor(minX)), static_cast<int32_t>(std::floor(minY)), AwayFromZero(maxX),
          AwayFromZero(maxY)};
}

}  // namespace kestrelle
