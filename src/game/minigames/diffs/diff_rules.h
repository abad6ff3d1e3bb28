#pragma once
// The rules of Find the Differences (and of Remove Items, its one-picture variant): the pointer
// mirrored onto the other picture, and the hint that flashes one of the patches still hidden.

#include <cstdint>
#include <optional>

#include "media/geometry.h"

namespace kestrelle {

// The pointer over one picture mirrored onto the other; the top 10 pixels of a picture never
// mirror. None when the pointer is over neither picture.
std::optional<TPoint> MirroredPointer(const TPoint& pointer, const TRect& first, const TRect& second);

// Which present patch a hint flashes: a uniform draw below the count still to find, taken among
// the `present` patches in order. None when nothing is left to find or the draw passes every
// present patch (the count in the data exceeds the patches).
std::optional<int32_t> HintPatch(int32_t total, int32_t found, int32_t present);

}  // namespace kestrelle
