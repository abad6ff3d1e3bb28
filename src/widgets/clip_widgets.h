#pragma once
// Transform widgets that show only part of their child:
//   "masked_widget"     where the alpha of an image resource (the mask) is not 0;
//   "cutsector_widget"  all but a pie wedge between two angles around a centre point;
//   "scrollarea_widget" a Width x Height window onto a larger child, scrolled by the shifts.

#include <cstdint>
#include <string>

#include "widgets/transform_widget.h"

namespace kestrelle {

class TMaskedSurfaceWidget : public TTransformWidget {
 public:
  const TPropertyTable& GetPropertyTable() const override;
  int32_t GetWidth() override;
  int32_t GetHeight() override;
  void Render() override;

 private:
  std::string resourceName_;
};

class TCutSectorWidget : public TTransformWidget {
 public:
  const TPropertyTable& GetPropertyTable() const override;
  double GetLeft() override;
  double GetTop() override;
  int32_t GetWidth() override;
  int32_t GetHeight() override;
  void Render() override;
  void AdjustDrawOrigin(int32_t& x, int32_t& y) override;

  // Whether the offset (dx, dy) from the centre lies in the wedge [StartAngle, EndAngle) (degrees,
  // clockwise on the screen from the x axis).
  bool InSector(double dx, double dy) const;
  // The same test for the angle of the offset in degrees, as atan2 gives it: (-180, 180].
  bool InSectorAt(double degrees) const;

 private:
  void SectorChanged();

  double centerX_ = 0;
  double centerY_ = 0;
  double startAngle_ = 0;
  double endAngle_ = 0;
};

class TScrollAreaWidget : public TTransformWidget {
 public:
  const TPropertyTable& GetPropertyTable() const override;
  int32_t GetWidth() override { return width_; }
  int32_t GetHeight() override { return height_; }
  void Render() override;
  void InverseTransform(int32_t& x, int32_t& y) override;

  void SetWidth(int32_t width);
  void SetHeight(int32_t height);
  void SetShiftLeft(int32_t shift);
  void SetShiftTop(int32_t shift);

 private:
  // A new size or shift changes the geometry and the picture.
  void SetWindowValue(int32_t value, int32_t& field);

  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t shiftLeft_ = 0;
  int32_t shiftTop_ = 0;
};

}  // namespace kestrelle
