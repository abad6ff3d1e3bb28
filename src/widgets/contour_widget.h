#pragma once
// "contour_widget": a glow of ContourColor around the shape of its child (the pixels whose alpha
// is above AlphaLimit), ContourThickness pixels wide, full strength within that distance and
// fading to half at the corners. The child itself may be hidden: its shape still gives the glow.

#include <cstdint>

#include "widgets/transform_widget.h"

namespace kestrelle {

class TContourWidget : public TTransformWidget {
 public:
  // Thicker glows cost thickness squared per edge pixel; data beyond this is clamped.
  static constexpr int32_t kMaxThickness = 64;

  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;

  double GetLeft() override;
  double GetTop() override;
  int32_t GetWidth() override;
  int32_t GetHeight() override;
  TRect GetRect() override;
  void Render() override;
  void AdjustDrawOrigin(int32_t& x, int32_t& y) override;

  // The glow around the opaque pixels of `shape` (a surface of the buffer's size) into the buffer.
  void DrawContour(const ISurface& shape);

 private:
  void ShapeChanged();
  void ContourAround(const ISurface& shape, int32_t x, int32_t y);
  void PlotContour(const ISurface& shape, int32_t x, int32_t y, double weight);
  bool InShape(const ISurface& shape, int32_t x, int32_t y) const;

  bool showContour_ = true;
  uint32_t contourColor_ = 0;
  int32_t contourThickness_ = 1;
  int32_t alphaLimit_ = 0;
};

}  // namespace kestrelle
