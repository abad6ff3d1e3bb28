#pragma once
// The rules of Puzzle: a piece put down within 20 pixels of its place (inclusive) glides into it.

namespace kestrelle {

inline bool PuzzlePieceSnaps(double left, double top, double placeX, double placeY) {
  const double dx = placeX - left;
  const double dy = placeY - top;
  return dx * dx + dy * dy <= 20.0 * 20.0;
}

}  // namespace kestrelle
