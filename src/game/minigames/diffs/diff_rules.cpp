#include "game/minigames/diffs/diff_rules.h"

#include "data/random.h"

namespace kestrelle {
namespace {

bool OverPicture(const TPoint& pointer, const TRect& picture) {
  return pointer.x >= picture.left && pointer.x <= picture.right && pointer.y >= picture.top + 10 &&
         pointer.y <= picture.bottom;
}

}  // namespace

std::optional<TPoint> MirroredPointer(const TPoint& pointer, const TRect& first, const TRect& second) {
  if (OverPicture(pointer, first)) return TPoint{pointer.x + second.left - first.left, pointer.y};
  if (OverPicture(pointer, second)) return TPoint{pointer.x + first.left - second.left, pointer.y};
  return std::nullopt;
}

std::optional<int32_t> HintPatch(int32_t total, int32_t found, int32_t present) {
  const int32_t left = total - found;
  if (left < 1) return std::nullopt;
  const int32_t drawn = Random(left);
  if (drawn >= present) return std::nullopt;
  return drawn;
}

}  // namespace kestrelle
