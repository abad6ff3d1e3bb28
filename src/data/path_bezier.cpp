#include "data/path_bezier.h"

namespace kestrelle {

namespace {

struct Pt {
  double x, y;
};
Pt Mid(Pt a, Pt b) { return {(a.x + b.x) / 2.0, (a.y + b.y) / 2.0}; }

bool Flat(Pt p0, Pt p1, Pt p2, Pt p3) {
  double dx = p3.x - p0.x, dy = p3.y - p0.y;
  double chord2 = dx * dx + dy * dy;
  if (!(chord2 > 0.0)) return false;
  double c1 = dx * (p1.y - p0.y) - dy * (p1.x - p0.x);
  double c2 = dx * (p2.y - p0.y) - dy * (p2.x - p0.x);
  return c1 * c1 / chord2 < 1.0 && c2 * c2 / chord2 < 1.0;
}

double CurveLength(Pt p0, Pt p1, Pt p2, Pt p3, int depth) {
  if (Flat(p0, p1, p2, p3) || depth >= TBezierPathFunction::kMaxSubdivision)
    return RoundedChordLength(p3.x - p0.x, p3.y - p0.y);
  Pt a = Mid(p0, p1), b = Mid(p1, p2), c = Mid(p2, p3);
  Pt ab = Mid(a, b), bc = Mid(b, c);
  Pt m = Mid(ab, bc);
  return CurveLength(p0, a, ab, m, depth + 1) + CurveLength(m, bc, c, p3, depth + 1);
}

}  // namespace

void TBezierPathFunction::Calculate() {
  double t = Fraction(), u = 1.0 - t;
  double b0 = u * u * u, b1 = 3.0 * t * u * u, b2 = 3.0 * t * t * u, b3 = t * t * t;
  SetPoint(b0 * At(2, 0) + b1 * At(2, 6) + b2 * At(2, 8) + b3 * At(2, 2),
           b0 * At(2, 1) + b1 * At(2, 7) + b2 * At(2, 9) + b3 * At(2, 3));
}

double TBezierPathFunction::GetLength() {
  return CurveLength({At(2, 0), At(2, 1)}, {At(2, 6), At(2, 7)}, {At(2, 8), At(2, 9)}, {At(2, 2), At(2, 3)}, 0);
}

}  // namespace kestrelle
