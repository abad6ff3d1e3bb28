#pragma once
// Paths: numeric functions that map a step number to a point. A path with N steps is at its
// start at step 0 and at its end at step N; callers decide how steps relate to time.
//
// Fixed slots, v[vector][slot]: v[0][0], v[0][1] outputs x, y; v[1][0] the step; v[2][0..3] start
// and end points; v[2][4] N; v[2][5] the length, refreshed by Execute; v[2][6].. per kind.
// Execute must run after linking and whenever the geometry changes.

#include <cstdint>

#include "data/function_base.h"
#include "data/function_complex.h"

namespace kestrelle {

struct PathBounds {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  bool operator==(const PathBounds&) const = default;
};

class IPathFunction : public virtual IFunction {
 public:
  virtual int GetStepCount() = 0;       // trunc v[2][4]
  virtual float GetStoredLength() = 0;  // v[2][5]
  virtual PathBounds GetBounds() = 0;
  virtual float GetX() = 0;
  virtual float GetY() = 0;
  virtual void SetStep(float step) = 0;
};
using PathFunctionRef = std::shared_ptr<IPathFunction>;

class TAbstractPathFunction : public TFunction, public virtual IPathFunction {
 public:
  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;

  int GetStepCount() override;
  float GetStoredLength() override { return static_cast<float>(At(2, 5)); }
  PathBounds GetBounds() override { return {}; }
  float GetX() override { return static_cast<float>(At(0, 0)); }
  float GetY() override { return static_cast<float>(At(0, 1)); }
  void SetStep(float step) override;
  virtual double GetLength() { return 0.0; }

  bool GetLoop() const { return loop_; }
  void SetLoop(bool loop) { loop_ = loop; }

 protected:
  void ExecuteHook() override;
  // N for the arithmetic: at least 1, so that the fraction and the loop are always defined.
  int64_t Steps();
  // trunc(s), or trunc(s) mod N when looping.
  int64_t EffectiveStep();
  // effective step / N.
  double Fraction();
  void SetPoint(double x, double y);

 private:
  bool loop_ = false;
};

extern template class TWithSubFunctions<TAbstractPathFunction>;

// A path made of sub-functions (child "functions").
class TComplexPathFunction : public TWithSubFunctions<TAbstractPathFunction> {};

// Square root of the squared distance rounded to an integer: (0,0)-(0.6,0.6) has length 1,
// (0,0)-(1,1) has length sqrt(2).
double RoundedChordLength(double dx, double dy);

}  // namespace kestrelle
