#include "data/path_composite.h"

#include <algorithm>

namespace kestrelle {

PathFunctionRef TCompositePathFunction::SubPath(int index) const {
  return std::dynamic_pointer_cast<IPathFunction>(SubFunction(index));
}

void TCompositePathFunction::ResetCursor() {
  current_ = -1;
  stepsBefore_ = 0;
}

void TCompositePathFunction::SetOwner(const FunctionOwnerRef& owner) {
  ResetCursor();
  TComplexPathFunction::SetOwner(owner);
}

void TCompositePathFunction::Unlink() {
  ResetCursor();
  TComplexPathFunction::Unlink();
}

void TCompositePathFunction::RunBefore() {
  TComplexPathFunction::RunBefore();
  int64_t total = 0;
  for (int i = 0; i < SubFunctionCount(); ++i)
    if (PathFunctionRef path = SubPath(i)) total += path->GetStepCount();
  Put(2, 4, static_cast<double>(total));
}

void TCompositePathFunction::Calculate() {
  int64_t k = EffectiveStep();
  int count = SubFunctionCount();
  auto stepsOf = [this](int index) -> int64_t {
    PathFunctionRef path = SubPath(index);
    return path ? path->GetStepCount() : 0;
  };
  if (current_ < 0 || current_ >= count || k < stepsBefore_) {
    current_ = count > 0 ? 0 : -1;
    stepsBefore_ = 0;
  }
  while (current_ >= 0 && k >= stepsBefore_ + stepsOf(current_) && current_ + 1 < count) {
    stepsBefore_ += stepsOf(current_);
    ++current_;
  }
  if (current_ >= 0 && k - stepsBefore_ < stepsOf(current_)) {
    if (PathFunctionRef path = SubPath(current_)) {
      path->SetStep(static_cast<float>(k - stepsBefore_));
      SetPoint(path->GetX(), path->GetY());
      return;
    }
  }
  SetPoint(At(2, 2), At(2, 3));
}

double TCompositePathFunction::GetLength() {
  double total = 0.0;
  for (int i = 0; i < SubFunctionCount(); ++i)
    if (PathFunctionRef path = SubPath(i)) total += path->GetStoredLength();
  return total;
}

PathBounds TCompositePathFunction::GetBounds() {
  PathBounds bounds;
  bool first = true;
  for (int i = 0; i < SubFunctionCount(); ++i) {
    PathFunctionRef path = SubPath(i);
    if (!path) continue;
    PathBounds b = path->GetBounds();
    if (first) {
      bounds = b;
      first = false;
    } else {
      bounds = {std::min(bounds.left, b.left), std::min(bounds.top, b.top), std::max(bounds.right, b.right),
                std::max(bounds.bottom, b.bottom)};
    }
  }
  return bounds;
}

void TArbitraryPathFunction::Calculate() {
  for (int i = 0; i < SubFunctionCount(); ++i)
    if (FunctionRef sub = SubFunction(i)) sub->Calculate();
}

}  // namespace kestrelle
