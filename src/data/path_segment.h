#pragma once
// Straight paths: the segment ("path_segment") and the accelerating segment
// ("path_segment_accelerate": v[2][6] initial speed, v[2][7] acceleration, in distance units per
// step; the position is found through the stored length, so Execute must have run).

#include "data/path_base.h"

namespace kestrelle {

class TSegmentPathFunction : public TAbstractPathFunction {
 public:
  void Calculate() override;
  double GetLength() override;
  PathBounds GetBounds() override;
};

class TAccelerateSegmentPathFunction : public TSegmentPathFunction {
 public:
  // A stored length of 0 keeps the point at the start.
  void Calculate() override;
};

}  // namespace kestrelle
