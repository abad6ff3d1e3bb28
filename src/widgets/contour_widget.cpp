#include "widgets/contour_widget.h"

#include <algorithm>

#include "data/numbers.h"

namespace kestrelle {

const TPropertyTable& TContourWidget::GetPropertyTable() const {
  static const TPropertyTable table(
      TTransformWidget::GetPropertyTable(),
      {
          Property("showcontour", &TContourWidget::showContour_, true).OnChange(&TContourWidget::ShapeChanged),
          // A new colour shows at the next re-render.
          Property("contourcolor", &TContourWidget::contourColor_).AsColor(),
          Property("contourthickness", &TContourWidget::contourThickness_, 1)
              .Range(0, kMaxThickness)
              .OnChange(&TContourWidget::ShapeChanged),
          Property("alphalimit", &TContourWidget::alphaLimit_).Range(0, 255).OnChange(&TContourWidget::ShapeChanged),
      });
  return table;
}

void TContourWidget::Initialize() {
  TTransformWidget::Initialize();
  contourThickness_ = 1;
}

void TContourWidget::ShapeChanged() {
  needToRepaint_ = true;
  SetChanged(true);
}

double TContourWidget::GetLeft() {
  WidgetRef child = child_;
  if (!child) return anchorLeft_;
  return anchorLeft_ - Round32(child->GetAnchorLeft() - child->GetLeft()) - contourThickness_;
}

double TContourWidget::GetTop() {
  WidgetRef child = child_;
  if (!child) return anchorTop_;
  return anchorTop_ - Round32(child->GetAnchorTop() - child->GetTop()) - contourThickness_;
}

int32_t TContourWidget::GetWidth() { return child_ ? child_->GetWidth() + 2 * contourThickness_ : 0; }
int32_t TContourWidget::GetHeight() { return child_ ? child_->GetHeight() + 2 * contourThickness_ : 0; }

TRect TContourWidget::GetRect() {
  const int32_t left0 = Round32(anchorLeft_);
  const int32_t top0 = Round32(anchorTop_);
  WidgetRef child = child_;
  if (!child) return TRect{left0, top0, left0, top0};
  const TRect r = child->GetRect();
  const TPoint offset = ChildAnchorOffset();
  const int32_t t = contourThickness_;
  const int32_t left = left0 - offset.x - t;
  const int32_t top = top0 - offset.y - t;
  const int64_t margins = int64_t{2} * t;
  return TRect{left, top, static_cast<int32_t>(left + r.Width() + margins),
               static_cast<int32_t>(top + r.Height() + margins)};
}

void TContourWidget::AdjustDrawOrigin(int32_t& x, int32_t& y) {
  const TPoint offset = ChildAnchorOffset();
  x -= offset.x + contourThickness_;
  y -= offset.y + contourThickness_;
}

void TContourWidget::Render() {
  WidgetRef child = child_;
  SurfaceRef buffer = buffer_;
  if (!child || !buffer) return;
  const TPoint offset = ChildAnchorOffset();
  const int32_t x = offset.x + contourThickness_;
  const int32_t y = offset.y + contourThickness_;
  if (!showContour_) {
    if (child->GetVisible()) child->Draw(buffer, x, y);
    return;
  }
  SurfaceRef shape = NewSurface(buffer->GetWidth(), buffer->GetHeight());
  if (!shape) return;
  child->Draw(shape, x, y);
  if (child->GetVisible()) buffer->Draw(shape.get(), shape->GetRect(), kBlendNormal, 255, buffer->GetRect());
  DrawContour(*shape);
}

bool TContourWidget::InShape(const ISurface& shape, int32_t x, int32_t y) const {
  return static_cast<int32_t>(shape.GetPixelFast(x, y) >> 24) > alphaLimit_;
}

void TContourWidget::DrawContour(const ISurface& shape) {
  SurfaceRef buffer = buffer_;
  if (!buffer || contourThickness_ <= 0) return;
  const int32_t width = std::min(shape.GetWidth(), buffer->GetWidth());
  const int32_t height = std::min(shape.GetHeight(), buffer->GetHeight());
  for (int32_t x = 0; x < width; ++x)
    for (int32_t y = 0; y < height; ++y)
      if (InShape(shape, x, y)) ContourAround(shape, x, y);
}

void TContourWidget::ContourAround(const ISurface& shape, int32_t x, int32_t y) {
  const int32_t t = contourThickness_;
  const int32_t w = std::min(shape.GetWidth(), buffer_->GetWidth());
  const int32_t h = std::min(shape.GetHeight(), buffer_->GetHeight());
  auto onSurface = [&](int32_t px, int32_t py) { return px >= 0 && py >= 0 && px < w && py < h; };
  int32_t left = x - t;
  int32_t right = x + t;
  int32_t top = y - t;
  int32_t bottom = y + t;
  if (t == 1) {
    // A neighbour inside the shape closes that side (and the two corners next to it).
    auto side = [&](int32_t px, int32_t py, int32_t& bound, int32_t centre) {
      if (!onSurface(px, py)) return;
      if (InShape(shape, px, py))
        bound = centre;
      else
        PlotContour(shape, px, py, 1.0);
    };
    side(x, y - 1, top, y);
    side(x, y + 1, bottom, y);
    side(x - 1, y, left, x);
    side(x + 1, y, right, x);
    if (left != x && top != y) PlotContour(shape, x - 1, y - 1, 0.5);
    if (left != x && bottom != y) PlotContour(shape, x - 1, y + 1, 0.5);
    if (right != x && top != y) PlotContour(shape, x + 1, y - 1, 0.5);
    if (right != x && bottom != y) PlotContour(shape, x + 1, y + 1, 0.5);
    return;
  }
  const double t2 = static_cast<double>(t) * t;
  auto weight = [&](int32_t dx, int32_t dy) {
    return std::min(t2 / (static_cast<double>(dx) * dx + static_cast<double>(dy) * dy), 1.0);
  };
  // Straight runs outwards; the first shape pixel ends a run and closes that side before it.
  auto run = [&](int32_t dx, int32_t dy, int32_t& bound) {
    for (int32_t k = 1; k <= t; ++k) {
      const int32_t px = x + dx * k;
      const int32_t py = y + dy * k;
      if (!onSurface(px, py)) continue;
      if (InShape(shape, px, py)) {
        bound = dx != 0 ? px - dx : py - dy;
        return;
      }
      PlotContour(shape, px, py, weight(px - x, py - y));
    }
  };
  run(0, -1, top);
  run(0, 1, bottom);
  run(-1, 0, left);
  run(1, 0, right);
  auto quadrant = [&](int32_t row0, int32_t row1, int32_t col0, int32_t col1) {
    for (int32_t py = row0; py <= row1; ++py)
      for (int32_t px = col0; px <= col1; ++px) PlotContour(shape, px, py, weight(px - x, py - y));
  };
  if (top != y && left != x) quadrant(top, y - 1, left, x - 1);
  if (bottom != y && left != x) quadrant(y + 1, bottom, left, x - 1);
  if (top != y && right != x) quadrant(top, y - 1, x + 1, right);
  if (bottom != y && right != x) quadrant(y + 1, bottom, x + 1, right);
}

void TContourWidget::PlotContour(const ISurface& shape, int32_t x, int32_t y, double weight) {
  ISurface& buffer = *buffer_;
  if (x < 0 || y < 0 || x >= shape.GetWidth() || y >= shape.GetHeight()) return;
  if (x >= buffer.GetWidth() || y >= buffer.GetHeight() || InShape(shape, x, y)) return;
  uint32_t* pixel = buffer.GetPixelAddress(x, y);
  const auto strength = static_cast<uint32_t>(Round32((contourColor_ >> 24) * weight));
  const uint32_t alpha = std::max(strength, *pixel >> 24);
  *pixel = (contourColor_ & 0x00FFFFFFu) | (alpha << 24);
}

}  // namespace kestrelle
