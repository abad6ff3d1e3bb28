#include "data/function_calc.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

#include "data/expr_errors.h"
#include "data/function_surface_handles.h"
#include "data/numbers.h"
#include "data/random.h"

namespace kestrelle {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int64_t kMaxMonteCarloTries = 1 << 20;

double RandomUnit() { return static_cast<double>(Random(1 << 24)) / 16777216.0; }

int32_t ClampToInt32(int64_t value) { return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

// The integer divisor of mod and div; zero is an error that stops the calculation.
int64_t NonZeroDivisor(double operand) {
  int64_t divisor = RealToInt(operand);
  if (divisor == 0) ThrowArithmetic(ExprArithmeticKind::IntDivByZero);
  return divisor;
}

}  // namespace

void TSinFunction::Calculate() {
  for (int i = 1; i < VectorCount(); ++i) {
    int len = Length(i);
    if (len < 3 || At(i, 2) == 0.0) continue;
    double phase = len >= 4 ? At(i, 3) * kPi : 0.0;
    double value = At(i, 0) * std::sin(phase + At(i, 1) * 2.0 * kPi / At(i, 2));
    for (int k = 4; k < len; ++k) value += At(i, k);
    Put(0, i - 1, value);
  }
}

void TSumFunction::Calculate() {
  for (int i = 1; i < VectorCount(); ++i) {
    double sum = 0.0;
    for (int k = 0; k < Length(i); ++k) sum += At(i, k);
    Put(0, i - 1, sum);
  }
}

void TMultiplyFunction::Calculate() {
  for (int i = 1; i < VectorCount(); ++i) {
    double product = 1.0;
    for (int k = 0; k < Length(i); ++k) product *= At(i, k);
    Put(0, i - 1, product);
  }
}

void TSubstrFunction::Calculate() {
  for (int i = 1; i < VectorCount(); ++i) {
    double value = At(i, 0);
    for (int k = 1; k < Length(i); ++k) value -= At(i, k);
    Put(0, i - 1, value);
  }
}

void TDivisionFunction::Calculate() {
  for (int i = 1; i < VectorCount(); ++i) {
    double value = At(i, 0);
    for (int k = 1; k < Length(i); ++k)
      if (At(i, k) != 0.0) value /= At(i, k);
    Put(0, i - 1, value);
  }
}

void TPolinom2Function::Calculate() {
  for (int i = 1; i < VectorCount(); ++i) {
    double x = At(i, 0);
    Put(0, i - 1, x * x * At(i, 1) + x * At(i, 2) + At(i, 3));
  }
}

void TRandomFunction::Calculate() {
  for (int i = 1; i < VectorCount(); ++i) {
    if (Length(i) == 0) {
      Put(0, i - 1, 0.0);
      continue;
    }
    double value = RandomUnit() * At(i, 0);
    for (int k = 1; k < Length(i); ++k) value += At(i, k);
    Put(0, i - 1, value);
  }
}

void TIntRandomFunction::Calculate() {
  for (int i = 1; i < VectorCount(); ++i) {
    if (Length(i) == 0) {
      Put(0, i - 1, 0.0);
      continue;
    }
    double value = Random(ClampToInt32(RealToInt(At(i, 0))));
    for (int k = 1; k < Length(i); ++k) value += At(i, k);
    Put(0, i - 1, value);
  }
}

void TSwitchFunction::Calculate() {
  for (int i = 1; i < VectorCount(); ++i) {
    if (Length(i) < 5) continue;
    double a = At(i, 0), b = At(i, 1);
    Put(0, i - 1, a == b ? At(i, 3) : (a > b ? At(i, 4) : At(i, 2)));
  }
}

void TLinearSegmentFunction::Calculate() {
  for (int i = 1; i < VectorCount(); ++i) {
    if (Length(i) < 4) continue;
    double from = At(i, 0), to = At(i, 1), steps = At(i, 3);
    Put(0, i - 1, steps == 0.0 ? to : from + (to - from) * At(i, 2) / steps);
  }
}

void TArithmeticFunction::Calculate() {
  for (int p = 0; 2 * p + 2 < VectorCount(); ++p) {
    const int operands = 2 * p + 1, operators = 2 * p + 2;
    double d = At(operands, 0);
    for (int k = 1; k < Length(operands); ++k) {
      double a = At(operands, k);
      switch (RealToInt(At(operators, k - 1))) {
        case 0:
          d += a;
          break;
        case 1:
          d -= a;
          break;
        case 2:
          d *= a;
          break;
        case 3:
          d /= a;  // float rules: a zero divisor gives an infinity or NaN
          break;
        case 4:
          d = std::max(a, d);
          break;
        case 5:
          d = std::min(a, d);
          break;
        case 6:
          d = static_cast<double>(ModTrunc(RealToInt(d), NonZeroDivisor(a)));
          break;
        case 7: {
          int64_t divisor = NonZeroDivisor(a);
          int64_t dividend = RealToInt(d);
          d = divisor == -1 ? -static_cast<double>(dividend) : static_cast<double>(DivTrunc(dividend, divisor));
          break;
        }
        default:
          break;
      }
    }
    Put(0, p, d);
  }
}

void TPiecewiseLinearInterpolationFunction::Calculate() {
  double x = At(1, 0);
  int pairs = (VectorCount() - 2) / 2;
  for (int p = 0; p < pairs; ++p) {
    const int knots = 2 * p + 2, values = 2 * p + 3;
    int m = Length(knots);
    if (m == 0) continue;
    double result = At(values, m - 1);  // at or beyond the last knot, and below every knot
    if (x < At(knots, m - 1)) {
      for (int j = m - 2; j >= 0; --j) {
        if (x >= At(knots, j)) {
          double k0 = At(knots, j), k1 = At(knots, j + 1);
          double v0 = At(values, j), v1 = At(values, j + 1);
          result = k1 == k0 ? v0 : v0 + (v1 - v0) * (x - k0) / (k1 - k0);
          break;
        }
      }
    }
    Put(0, p, result);
  }
}

void TIntervalFunction::Calculate() {
  int n = VectorCount();
  for (int k = 0; k < Length(1); ++k) {
    if (n < 2 * k + 4) {
      Put(0, k, 0.0);
      continue;
    }
    double x = At(1, k);
    const int thresholds = 2 * k + 2, results = 2 * k + 3;
    int m = Length(thresholds);
    double result = At(results, m - 1);
    for (int j = 0; j <= m - 2; ++j) {
      if (x <= At(thresholds, j)) {
        result = At(results, j);
        break;
      }
    }
    Put(0, k, result);
  }
}

void TMonteCarloFunction::Calculate() {
  Put(0, 0, 0.0);
  if (Length(1) == 0 || !Slot(1, 0)) return;
  auto picture = std::dynamic_pointer_cast<IPixelSource>(SurfaceFromHandle(*Slot(1, 0)));
  if (!picture) return;
  int32_t width = picture->GetWidth(), height = picture->GetHeight();
  if (width <= 0 || height <= 0) return;
  double threshold = Slot(1, 1) ? At(1, 1) : 1.0;
  // Bounded, so that a data slip cannot stall a frame.
  int64_t tries = std::min<int64_t>(Slot(1, 2) ? RoundHalfEven(At(1, 2)) : 1, kMaxMonteCarloTries);
  for (int64_t t = 0; t < tries; ++t) {
    int32_t x = Random(width), y = Random(height);
    uint32_t pixel = picture->GetPixel(x, y);
    if (static_cast<double>(pixel >> 24) >= threshold) {
      Put(0, 0, 1.0);
      Put(0, 1, x);
      Put(0, 2, y);
      Put(0, 3, (pixel >> 16) & 0xFF);
      Put(0, 4, (pixel >> 8) & 0xFF);
      Put(0, 5, pixel & 0xFF);
      Put(0, 6, pixel >> 24);
      return;
    }
  }
}

}  // namespace kestrelle
