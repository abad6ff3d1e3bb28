// Resampling operations of TSurface: scaling, rotation and sub-pixel placement.
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <vector>

#include "data/numbers.h"
#include "media/blend_kernels.h"
#include "media/blend_reference.h"
#include "media/surface.h"
#include "media/surface_geometry.h"

namespace kestrelle {

using blend::Bilinear;

namespace {

constexpr int64_t kOne = 65536;  // 1.0 in 16.16 fixed point

// The pixels of a source surface; a private copy when the source is the surface being written.
struct Pixels {
  const uint32_t* data = nullptr;
  int64_t width = 0;
  int64_t height = 0;
  std::vector<uint32_t> copy;

  Pixels(const ISurface* source, const ISurface* target) {
    const uint32_t* p = source ? source->GetScanLine(0) : nullptr;
    if (!p || source->GetWidth() <= 0 || source->GetHeight() <= 0) return;
    width = source->GetWidth();
    height = source->GetHeight();
    data = p;
    if (source == target) {
      copy.assign(p, p + width * height);
      data = copy.data();
    }
  }
  bool Inside(int64_t x, int64_t y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  uint32_t At(int64_t x, int64_t y) const { return data[y * width + x]; }
};

// 65536 / scale truncated; false for a scale of 0, a non-finite one, or one whose step does not
// fit 32 bits (nothing is drawn then).
bool StepOf(double scale, int64_t& step) {
  if (!std::isfinite(scale) || scale == 0) return false;
  const double q = std::trunc(65536.0 / scale);
  if (!(std::fabs(q) <= std::numeric_limits<int32_t>::max())) return false;
  step = static_cast<int64_t>(q);
  return true;
}

// A real position in 16.16, rounded half to even; false when it is not usable.
bool FixedOf(double value, int64_t& fixed) {
  const double v = value * 65536.0;
  if (!std::isfinite(v) || std::fabs(v) > 4.0e15) return false;
  fixed = RoundHalfEven(v);
  return true;
}

// Cosine and sine of an angle in degrees, exact at the quarter turns.
void CosSin(double degrees, double& c, double& s) {
  double r = std::fmod(degrees, 360.0);
  if (r < 0) r += 360.0;
  if (r == 0)
    c = 1, s = 0;
  else if (r == 90)
    c = 0, s = 1;
  else if (r == 180)
    c = -1, s = 0;
  else if (r == 270)
    c = 0, s = -1;
  else {
    const double rad = degrees * std::numbers::pi / 180.0;
    c = std::cos(rad);
    s = std::sin(rad);
  }
}

// What a target pixel becomes where no source pixel lands: alpha 0, then alpha 255 again on
// an opaque surface (so there the pixel keeps its colour).
inline uint32_t Uncovered(uint32_t t, bool keepAlpha) { return keepAlpha ? t & 0x00FFFFFFu : t | 0xFF000000u; }

// A smooth sample whose neighbours may lie outside the source: those take the target pixel.
uint32_t SmoothSample(const Pixels& src, int64_t sx, int64_t sy, uint32_t t, bool keepAlpha) {
  const int64_t ix = FloorDiv(sx, kOne), iy = FloorDiv(sy, kOne);
  if (ix < -1 || iy < -1 || ix >= src.width || iy >= src.height) return Uncovered(t, keepAlpha);
  const uint32_t fx = static_cast<uint32_t>(sx - ix * kOne), fy = static_cast<uint32_t>(sy - iy * kOne);
  auto at = [&](int64_t x, int64_t y) { return src.Inside(x, y) ? src.At(x, y) : t; };
  const uint32_t v = Bilinear(at(ix, iy), at(ix + 1, iy), at(ix, iy + 1), at(ix + 1, iy + 1), fx, fy);
  return keepAlpha ? v : v | 0xFF000000u;
}

// The first, horizontal pass of smooth scaling (16 bytes per target column, indexed by the
// target column) for the last two source rows asked for, so that enlarging computes each source
// row once. Columns [pairA, pairB) have a right-hand neighbour; the others, at the ends of
// [inA, inB), sit on the last source column, which repeats.
class AlongXRows {
 public:
  AlongXRows(const Pixels& src, const int32_t* column, const uint32_t* fraction, int64_t inA, int64_t inB,
             int64_t pairA, int64_t pairB)
      : src_(src), column_(column), fraction_(fraction), inA_(inA), inB_(inB), pairA_(pairA), pairB_(pairB) {
    for (std::vector<uint32_t>& buffer : buffers_) buffer.resize(static_cast<size_t>(inB) * 4);
  }
  // The pass over source row `y`, leaving the row `keep` in place.
  const uint32_t* Row(int64_t y, int64_t keep) {
    for (int i = 0; i < 2; ++i)
      if (rowOf_[i] == y) return buffers_[i].data();
    const int slot = rowOf_[0] == keep ? 1 : 0;
    uint32_t* out = buffers_[slot].data();
    const uint32_t* line = src_.data + y * src_.width;
    auto repeat = [&](int64_t x) {
      for (int c = 0; c < 4; ++c) out[4 * x + c] = blend::Channel(line[column_[x]], c) << 16;
    };
    for (int64_t x = inA_; x < pairA_; ++x) repeat(x);
    for (int64_t x = pairB_; x < inB_; ++x) repeat(x);
    if (pairB_ > pairA_)
      blend::ActiveKernels().bilinearAlongX(out + 4 * pairA_, line, column_ + pairA_, fraction_ + pairA_,
                                            static_cast<int>(pairB_ - pairA_));
    rowOf_[slot] = y;
    return out;
  }

 private:
  const Pixels& src_;
  const int32_t* column_;
  const uint32_t* fraction_;
  int64_t inA_, inB_, pairA_, pairB_;
  int64_t rowOf_[2] = {-1, -1};
  static thread_local std::vector<uint32_t> buffers_[2];
};
thread_local std::vector<uint32_t> AlongXRows::buffers_[2];

}  // namespace

void TSurface::RenderScaled(const ISurface* source, double offsetX, double offsetY, double scaleX, double scaleY,
                            bool smooth) {
  if (!pixels_ || !source) return;
  int64_t dx, dy, sx0, sy0;
  if (!StepOf(scaleX, dx) || !StepOf(scaleY, dy) || !FixedOf(offsetX, sx0) || !FixedOf(offsetY, sy0)) return;
  const Pixels src(source, this);
  const int64_t limX = src.width * kOne, limY = src.height * kOne;
  // A step below 1 runs backwards from the far edge (a negative scale mirrors).
  if (dx < 1) sx0 += limX;
  if (dy < 1) sy0 += limY;
  const bool ka = keepAlpha_;
  const uint32_t alphaOr = ka ? 0u : 0xFF000000u;
  const int64_t w = width_;

  // Columns [0, inA) and [inB, w) fall outside the source.
  int64_t inA = 0, inB = 0;
  if (src.data) StepSpan(sx0, dx, 0, limX - 1, w, inA, inB);
  // Per column the source column and, for smooth sampling, the fraction; reused from call to call.
  thread_local std::vector<int32_t> column;
  thread_local std::vector<uint32_t> fraction;
  column.resize(static_cast<size_t>(w));
  fraction.resize(smooth ? static_cast<size_t>(w) : 0);
  for (int64_t x = inA; x < inB; ++x) {
    const int64_t sx = sx0 + x * dx;
    column[x] = static_cast<int32_t>(sx / kOne);
    if (smooth) fraction[x] = static_cast<uint32_t>(sx & 0xFFFF);
  }
  // Columns on the last source column have no right-hand neighbour: they lie at one end of the
  // span (the right one, or the left one when mirrored).
  int64_t pairA = inA, pairB = inB;
  while (pairB > pairA && column[pairB - 1] == src.width - 1) --pairB;
  while (pairA < pairB && column[pairA] == src.width - 1) ++pairA;
  AlongXRows alongX(src, column.data(), fraction.data(), inA, inB, pairA, pairB);
  const blend::RowKernels& kernels = blend::ActiveKernels();

  for (int64_t y = 0; y < height_; ++y) {
    uint32_t* row = pixels_ + y * w;
    const int64_t sy = sy0 + y * dy;
    if (!src.data || sy < 0 || sy >= limY) {
      for (int64_t x = 0; x < w; ++x) row[x] = Uncovered(row[x], ka);
      continue;
    }
    const int64_t iy = sy / kOne;
    for (int64_t x = 0; x < inA; ++x) row[x] = Uncovered(row[x], ka);
    for (int64_t x = inB; x < w; ++x) row[x] = Uncovered(row[x], ka);
    if (inB <= inA) continue;
    if (!smooth) {
      const uint32_t* r0 = src.data + iy * src.width;
      for (int64_t x = inA; x < inB; ++x) row[x] = r0[column[x]] | alphaOr;
      continue;
    }
    // The last row repeats at the bottom edge.
    const int64_t below = iy + 1 < src.height ? iy + 1 : iy;
    const uint32_t* upper = alongX.Row(iy, below);
    const uint32_t* lower = alongX.Row(below, iy);
    kernels.bilinearAlongY(row + inA, upper + 4 * inA, lower + 4 * inA, static_cast<int>(inB - inA),
                           static_cast<uint32_t>(sy & 0xFFFF), ka);
  }
}

void TSurface::RenderTransformed(const ISurface* source, const TPoint& pivot, double angle, bool smooth, double scaleX,
                                 double scaleY, double offsetX, double offsetY) {
  if (!pixels_ || !source || !std::isfinite(angle) || !std::isfinite(scaleX) || !std::isfinite(scaleY)) return;
  int64_t ox, oy;
  if (!FixedOf(offsetX, ox) || !FixedOf(offsetY, oy)) return;
  double c, s;
  CosSin(angle, c, s);
  const Pixels src(source, this);

  // Source position of target pixel (x, y): base + (x - px) * (ax, ay) + (y - py) * (bx, by).
  int64_t ax, ay, bx, by;
  TRect area{0, 0, width_, height_};
  bool smoothOn = smooth;
  if (scaleX == scaleY && scaleX > 0) {
    int64_t cs, sn;
    if (!FixedOf(c / scaleX, cs) || !FixedOf(s / scaleX, sn)) return;
    ax = cs, ay = sn, bx = -sn, by = cs;
    const bool quarter = angle == 0 || angle == 90 || angle == 180 || angle == 270;
    smoothOn = smooth && !(scaleX == 1 && quarter);
    // The scaled picture centred in the target, turned around the pivot: its bounding box,
    // two pixels wider on every side, is all that is written.
    const double sw = scaleX * static_cast<double>(src.width), sh = scaleX * static_cast<double>(src.height);
    const double left = (width_ - sw) / 2, top = (height_ - sh) / 2;
    const double cornersX[4] = {left, left + sw, left, left + sw};
    const double cornersY[4] = {top, top, top + sh, top + sh};
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    for (int i = 0; i < 4; ++i) {
      const double qx = cornersX[i] - pivot.x, qy = cornersY[i] - pivot.y;
      const double tx = pivot.x + qx * c + qy * s, ty = pivot.y - qx * s + qy * c;
      minX = std::min(minX, tx), maxX = std::max(maxX, tx);
      minY = std::min(minY, ty), maxY = std::max(maxY, ty);
    }
    auto clampCoord = [](double v, int32_t hi) {
      return static_cast<int32_t>(std::clamp(v, 0.0, static_cast<double>(hi)));
    };
    area = TRect{clampCoord(std::floor(minX) - 2, width_), clampCoord(std::floor(minY) - 2, height_),
                 clampCoord(std::ceil(maxX) + 2, width_), clampCoord(std::ceil(maxY) + 2, height_)};
  } else {
    int64_t kx, ky;
    if (!StepOf(scaleX, kx) || !StepOf(scaleY, ky)) return;
    ax = RoundHalfEven(c * static_cast<double>(kx));
    bx = RoundHalfEven(-s * static_cast<double>(kx));
    ay = RoundHalfEven(s * static_cast<double>(ky));
    by = RoundHalfEven(c * static_cast<double>(ky));
  }
  if (area.IsEmpty()) return;

  const bool ka = keepAlpha_;
  const uint32_t alphaOr = ka ? 0u : 0xFF000000u;
  const int64_t baseX = int64_t{pivot.x} * kOne + ox, baseY = int64_t{pivot.y} * kOne + oy;
  const int64_t limX = src.width * kOne, limY = src.height * kOne;
  const blend::RowKernels& kernels = blend::ActiveKernels();
  const int64_t n = area.Width();

  for (int64_t y = area.top; y < area.bottom; ++y) {
    uint32_t* row = pixels_ + y * width_ + area.left;
    const int64_t dxp = area.left - int64_t{pivot.x}, dyp = y - int64_t{pivot.y};
    const int64_t sx0 = baseX + dxp * ax + dyp * bx;
    const int64_t sy0 = baseY + dxp * ay + dyp * by;
    if (!smoothOn) {
      for (int64_t i = 0; i < n; ++i) {
        const int64_t sx = sx0 + i * ax, sy = sy0 + i * ay;
        if (src.data && sx >= 0 && sy >= 0 && sx < limX && sy < limY) {
          row[i] = src.At(sx / kOne, sy / kOne) | alphaOr;
        } else {
          row[i] = Uncovered(row[i], ka);
        }
      }
      continue;
    }
    // The samples whose four pixels are all inside go through the row kernel.
    int64_t a = 0, b = 0;
    if (src.width >= 2 && src.height >= 2) {
      int64_t xa, xb, ya, yb;
      StepSpan(sx0, ax, 0, limX - kOne - 1, n, xa, xb);
      StepSpan(sy0, ay, 0, limY - kOne - 1, n, ya, yb);
      a = std::max(xa, ya);
      b = std::min(xb, yb);
      if (b < a) a = b = 0;
    }
    for (int64_t i = 0; i < a; ++i) row[i] = SmoothSample(src, sx0 + i * ax, sy0 + i * ay, row[i], ka);
    if (b > a)
      kernels.bilinearLine(row + a, src.data, src.width, static_cast<int>(b - a), sx0 + a * ax, sy0 + a * ay, ax, ay,
                           ka);
    for (int64_t i = b; i < n; ++i) row[i] = SmoothSample(src, sx0 + i * ax, sy0 + i * ay, row[i], ka);
  }
}

bool TSurface::MixShifted(const ISurface* source, double fracX, double fracY) {
  const Pixels src(source, this);
  if (!pixels_ || !src.data) return false;
  // The fractions as 16-bit weights of the right-hand and lower neighbours.
  const auto fx = static_cast<uint32_t>(RoundHalfEven(fracX * 65536));
  const auto fy = static_cast<uint32_t>(RoundHalfEven(fracY * 65536));
  TRect area = Intersection(TRect{0, 0, static_cast<int32_t>(src.width), static_cast<int32_t>(src.height)},
                            TRect{0, 0, width_, height_});
  if (clipEnabled_) area = Intersection(area, clipRect_);
  if (area.IsEmpty()) return false;
  const uint32_t alphaOr = keepAlpha_ ? 0u : 0xFF000000u;
  auto at = [&](int64_t x, int64_t y) { return src.Inside(x, y) ? src.At(x, y) : 0u; };
  for (int64_t y = area.top; y < area.bottom; ++y) {
    uint32_t* row = pixels_ + y * width_;
    for (int64_t x = area.left; x < area.right; ++x)
      row[x] = Bilinear(at(x, y), at(x + 1, y), at(x, y + 1), at(x + 1, y + 1), fx, fy) | alphaOr;
  }
  return true;
}

bool TSurface::DrawSubPixel(const ISurface* source, double x, double y) {
  if (!pixels_ || !source || !std::isfinite(x) || !std::isfinite(y)) return false;
  const int32_t w = source->GetWidth(), h = source->GetHeight();
  if (w <= 0 || h <= 0 || !source->GetScanLine(0)) return false;
  // Whole and fractional parts split with floor, so that -0.25 is -1 + 0.75.
  const double fx = std::floor(x), fy = std::floor(y);
  if (std::fabs(fx) > 1.0e9 || std::fabs(fy) > 1.0e9) return false;
  const int32_t ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy);
  const double rx = x - fx, ry = y - fy;
  const TRect whole{0, 0, w, h};
  if (rx == 0 && ry == 0)
    return Draw(source, whole, kBlendBltFast, 255,
                TRect{ix, iy, static_cast<int32_t>(int64_t{ix} + w), static_cast<int32_t>(int64_t{iy} + h)});
  if (ix == 0 && iy == 0) return MixShifted(source, rx, ry);
  // Elsewhere the shifted picture is made in a work surface (with the source's alpha rule),
  // three pixels larger than the source, and copied whole.
  auto work = Create<TSurface>();
  work->SetKeepAlpha(source->GetKeepAlpha());
  work->SetSize(w + 3, h + 3);
  if (!work->MixShifted(source, rx, ry)) return false;
  return Draw(work.get(), work->GetRect(), kBlendBltFast, 255,
              TRect{ix, iy, static_cast<int32_t>(int64_t{ix} + w + 3), static_cast<int32_t>(int64_t{iy} + h + 3)});
}

}  // namespace kestrelle
