#pragma once
// "rect_widget": a filled rectangle of one colour (0xAARRGGBB) at the widget's transparency.

#include <cstdint>

#include "widgets/visual_widget.h"

namespace kestrelle {

class TRectWidget : public TSingleWidget {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void ClearOwner() override;
  void Draw(const SurfaceRef& surface, int32_t x, int32_t y) override;

  uint32_t GetColor() const { return color_; }

 private:
  uint32_t color_ = 0;
  // The opaque shape the colour is painted through, made by the engine once per size.
  SurfaceRef mask_;
};

}  // namespace kestrelle
