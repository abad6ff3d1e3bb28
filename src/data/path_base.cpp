#include "data/path_base.h"

#include <cmath>

#include "data/hier_storage.h"
#include "data/numbers.h"

namespace kestrelle {

double RoundedChordLength(double dx, double dy) {
  return std::sqrt(static_cast<double>(RoundHalfEven(dx * dx + dy * dy)));
}

void TAbstractPathFunction::Initialize() {
  TFunction::Initialize();
  loop_ = false;
}

void TAbstractPathFunction::LoadProperties(const StorageRef& storage) {
  TFunction::LoadProperties(storage);
  loop_ = ReadBool(storage, "loop", false);
}

void TAbstractPathFunction::SaveProperties(const StorageRef& storage) {
  TFunction::SaveProperties(storage);
  WriteBool(storage, "loop", loop_, loop_);
}

int TAbstractPathFunction::GetStepCount() {
  int64_t n = RealToInt(At(2, 4));
  return n > INT32_MAX ? INT32_MAX : (n < INT32_MIN ? INT32_MIN : static_cast<int>(n));
}

void TAbstractPathFunction::SetStep(float step) {
  Put(1, 0, step);
  Calculate();
}

void TAbstractPathFunction::ExecuteHook() { Put(2, 5, GetLength()); }

int64_t TAbstractPathFunction::Steps() {
  int64_t n = RealToInt(At(2, 4));
  return n < 1 ? 1 : n;
}

int64_t TAbstractPathFunction::EffectiveStep() {
  int64_t step = RealToInt(At(1, 0));
  return loop_ ? step % Steps() : step;
}

double TAbstractPathFunction::Fraction() { return static_cast<double>(EffectiveStep()) / static_cast<double>(Steps()); }

void TAbstractPathFunction::SetPoint(double x, double y) {
  Put(0, 0, x);
  Put(0, 1, y);
}

}  // namespace kestrelle
