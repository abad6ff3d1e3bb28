#pragma once
// Paths made of other functions: the composite path ("path_composite") runs its sub-paths one
// after another; the arbitrary path ("path_arbitrary") lets its sub-functions write x and y.

#include "data/path_base.h"

namespace kestrelle {

class TCompositePathFunction : public TComplexPathFunction {
 public:
  void SetOwner(const FunctionOwnerRef& owner) override;
  void Unlink() override;
  void Calculate() override;
  // The sum of the sub-paths' stored lengths.
  double GetLength() override;
  // The union of the sub-paths' bounds.
  PathBounds GetBounds() override;

 protected:
  // Executes every sub-path, then N := the sum of their step counts.
  void RunBefore() override;

 private:
  PathFunctionRef SubPath(int index) const;
  void ResetCursor();

  int current_ = -1;         // index of the current sub-path
  int64_t stepsBefore_ = 0;  // steps of the sub-paths before it
};

class TArbitraryPathFunction : public TComplexPathFunction {
 public:
  void Calculate() override;
};

}  // namespace kestrelle
