#pragma once
// Widgets that show a resource of the engine found by name: "image_widget" shows a rectangle of
// an image, copied with a blend mode or painted in one colour through the image's alpha.
// Transparent pixels of the image do not take the mouse.

#include <cstdint>
#include <memory>
#include <string>

#include "app/resources.h"
#include "widgets/visual_widget.h"

namespace kestrelle {

// A widget of its own size naming a resource ("resourcename"). The engine is taken from the
// owner chain whenever the widget gets an owner, so the resource is found only while attached.
class TResourceWidget : public TSingleWidget {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void SetOwner(const WidgetOwnerRef& owner) override;
  void ClearOwner() override;

  const std::string& GetResourceName() const { return resourceName_; }
  // The engine's resource of that name as an image; none unattached, unknown or not an image.
  std::shared_ptr<IImageResource> GetImage();
  EngineRef GetResourceEngine() const { return engine_.lock(); }

 protected:
  std::string resourceName_;
  std::weak_ptr<IEngine> engine_;
};

class TImageWidget : public TResourceWidget {
 public:
  enum DrawMode : int32_t { kCopyRect = 0, kFillColor = 1 };
  static constexpr const char* kDrawModeWords = "copyrect/fillcolor";
  static constexpr const char* kBlendingModeWords = "normal/screen/overlay/linearlight/addition/maxopaque/bltfast";

  const TPropertyTable& GetPropertyTable() const override;
  void Draw(const SurfaceRef& surface, int32_t x, int32_t y) override;
  bool ContainsPoint(const TPoint& point, bool ignoreVisibility) override;

  // (resourceleft, resourcetop) and the widget's size.
  TRect GetSourceRect() const { return TRect{sourceLeft_, sourceTop_, sourceLeft_ + width_, sourceTop_ + height_}; }
  void SetSourcePosition(int32_t left, int32_t top);
  int32_t GetDrawMode() const { return drawMode_; }
  int32_t GetBlendingMode() const { return blendingMode_; }
  uint32_t GetFillColor() const { return fillColor_; }

 protected:
  // Draws the image's source rectangle at (x, y).
  void DrawImage(const SurfaceRef& surface, int32_t x, int32_t y);

  int32_t sourceLeft_ = 0;
  int32_t sourceTop_ = 0;
  int32_t drawMode_ = kCopyRect;
  int32_t blendingMode_ = kBlendNormal;
  uint32_t fillColor_ = 0;
};

}  // namespace kestrelle
