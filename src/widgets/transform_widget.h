#pragma once
// Transform widgets: decorators that render their single child into a private buffer surface and
// draw that buffer, so that the child can appear moved by a fraction of a pixel, zoomed, rotated,
// masked, outlined, cut or scrolled without knowing it. The buffer is rendered again only when
// the child reports a change or a setting changes; hit tests read the buffer's alpha, so the
// transparent parts of the transformed picture let the mouse through.

#include <cstdint>

#include "media/surface.h"
#include "widgets/decorate_widget.h"

namespace kestrelle {

class TTransformWidget : public TDecorateWidget {
 public:
  static constexpr const char* kBlendingModeWords = "normal/screen/overlay/linearlight/addition/maxopaque/bltfast";

  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;

  void Draw(const SurfaceRef& surface, int32_t x, int32_t y) override;
  bool ContainsPoint(const TPoint& point, bool ignoreVisibility) override;
  bool UpdateDirtyRects(bool forceOld, bool forceNew) override;
  TPoint ScreenToClient(const TPoint& point) override;
  // From the child: only marks the buffer stale; this widget reports its own rectangle.
  void InvalidateRect(const TRect& rect) override;

  // Draws the child into the cleared buffer.
  virtual void Render() = 0;
  // Moves the point at which the buffer's top-left corner is drawn.
  virtual void AdjustDrawOrigin(int32_t& x, int32_t& y) {}
  // Maps a point of the buffer's space back into the child's space.
  virtual void InverseTransform(int32_t& x, int32_t& y) {}
  virtual void Repaint();

  // Creates, sizes and (when stale) renders the buffer; none without an engine.
  void PrepareBuffer();
  SurfaceRef GetBuffer() const { return buffer_; }
  bool GetNeedToRepaint() const { return needToRepaint_; }
  void SetNeedToRepaint(bool flag) { needToRepaint_ = flag; }
  int32_t GetBlendingMode() const { return blendingMode_; }
  void SetBlendingMode(int32_t mode);

 protected:
  // A new engine surface with its alpha kept, or none.
  SurfaceRef NewSurface(int32_t width, int32_t height);
  // AdjustDrawOrigin of (0, 0), rounded to whole pixels.
  TPoint DrawOriginShift();
  // Where the child's own rectangle starts relative to the child's anchor, rounded.
  TPoint ChildAnchorOffset();

  SurfaceRef buffer_;
  bool needToRepaint_ = false;
  int32_t blendingMode_ = kBlendNormal;
};

}  // namespace kestrelle
