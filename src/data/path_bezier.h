#pragma once
// The cubic Bezier path ("path_bezier"): control points v[2][6], v[2][7] and v[2][8], v[2][9].

#include "data/path_base.h"

namespace kestrelle {

class TBezierPathFunction : public TAbstractPathFunction {
 public:
  static constexpr int kMaxSubdivision = 16;

  void Calculate() override;
  // By subdivision until both control points lie within 1 unit of the chord; each flat piece
  // counts its rounded chord length. The depth is bounded, so coincident points and NaN
  // coordinates end (a curve of four equal points has length 0).
  double GetLength() override;
};

}  // namespace kestrelle
