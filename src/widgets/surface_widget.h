#pragma once
// "surface_widget": shows a window (ShiftLeft, ShiftTop, Width, Height) of a surface, copied or
// as a colour through the surface's alpha. "linked_surface_widget" shows the picture of another
// widget, found by path and taken anew at every update.

#include <cstdint>
#include <string>

#include "widgets/visual_widget.h"

namespace kestrelle {

class TSurfaceWidget : public TVisualWidget {
 public:
  enum DrawMode : int32_t { kCopyRect = 0, kFillColor = 1 };
  static constexpr const char* kDrawModeWords = "copyrect/fillcolor";

  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  Variant GetProperty(const std::string& name) override;
  void SetProperty(const std::string& name, const Variant& value) override;
  // Drops the surface as well.
  void ClearOwner() override;
  int32_t GetWidth() override { return width_; }
  int32_t GetHeight() override { return height_; }
  void Draw(const SurfaceRef& surface, int32_t x, int32_t y) override;

  // A surface held in the variant (or none); the widget takes its size.
  virtual void SetSurface(const Variant& value);
  SurfaceRef GetSurface() const { return surface_; }

 protected:
  SurfaceRef surface_;
  int32_t drawMode_ = kCopyRect;
  uint32_t fillColor_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t shiftTop_ = 0;
  int32_t shiftLeft_ = 0;
};

class TLinkedSurfaceWidget : public TSurfaceWidget {
 public:
  const TPropertyTable& GetPropertyTable() const override;
  void DoUpdate(int32_t elapsedMs) override;

 private:
  std::string linkedWidgetName_;
};

}  // namespace kestrelle
