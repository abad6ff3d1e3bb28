#pragma once
// The calculation classes of numeric functions. Vector 0 holds the outputs; unless a class says
// otherwise, vector i (i >= 1) gives output i-1.

#include "data/function_base.h"

namespace kestrelle {

// v[0]*sin(v[3]*pi + v[1]*2pi/v[2]) + v[4] + v[5] ...: amplitude, argument, period, phase in
// half-turns, offsets. Needs three slots and a non-zero period, else the output is unchanged.
class TSinFunction : public TFunction {
 public:
  void Calculate() override;
};

class TSumFunction : public TFunction {
 public:
  void Calculate() override;
};

class TMultiplyFunction : public TFunction {
 public:
  void Calculate() override;
};

// v[0] - v[1] - v[2] ...
class TSubstrFunction : public TFunction {
 public:
  void Calculate() override;
};

// v[0] / v[1] / v[2] ...; a zero divisor is skipped.
class TDivisionFunction : public TFunction {
 public:
  void Calculate() override;
};

// x*x*v[1] + x*v[2] + v[3] with x = v[0].
class TPolinom2Function : public TFunction {
 public:
  void Calculate() override;
};

// random in [0, 1) * v[0] + v[1] + v[2] ...
class TRandomFunction : public TFunction {
 public:
  void Calculate() override;
};

// random integer in [0, trunc(v[0])) + v[1] + v[2] ...
class TIntRandomFunction : public TFunction {
 public:
  void Calculate() override;
};

// v[3] when v[0] = v[1], v[4] when v[0] > v[1], else v[2]; needs five slots.
class TSwitchFunction : public TFunction {
 public:
  void Calculate() override;
};

// v[0] + (v[1] - v[0]) * v[2] / v[3], or v[1] when v[3] = 0; needs four slots.
class TLinearSegmentFunction : public TFunction {
 public:
  void Calculate() override;
};

// Pairs of vectors (operands, operators): op codes 0 +, 1 -, 2 *, 3 /, 4 max, 5 min, 6 mod,
// 7 div (integer ops on truncated values; a zero divisor raises TExprArithmeticError and the
// calculation stops, so only the pairs before it have their outputs).
class TArithmeticFunction : public TFunction {
 public:
  void Calculate() override;
};

// x = vector 1 slot 0; pairs of vectors (knots, values) give one output each.
class TPiecewiseLinearInterpolationFunction : public TFunction {
 public:
  void Calculate() override;
};

// For each slot k of vector 1: thresholds in vector 2k+2, results in vector 2k+3.
class TIntervalFunction : public TFunction {
 public:
  void Calculate() override;
};

// Samples random pixels of a surface (vector 1 slot 0 holds its handle, see
// function_surface_handles.h) until one has an alpha of at least the threshold.
class TMonteCarloFunction : public TFunction {
 public:
  void Calculate() override;
};

}  // namespace kestrelle
