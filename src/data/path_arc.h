#pragma once
// The circular arc ("path_arc"): centre v[2][6], v[2][7]; v[3][0..3] start radius, end radius,
// start angle, end angle (computed by Execute); v[4][0] direction (1: angles grow, 0: they
// shrink). The radius changes linearly from the start radius to the end radius.

#include "data/path_base.h"

namespace kestrelle {

class TArcPathFunction : public TAbstractPathFunction {
 public:
  void Execute() override;
  void Calculate() override;
  // |a0 - a1| * r0
  double GetLength() override;
  PathBounds GetBounds() override;
};

}  // namespace kestrelle
