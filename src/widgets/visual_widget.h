#pragma once
// A widget that is seen: visibility, z order, anchor, mouse stop, and the dirty-rectangle pass
// that reports the screen areas to redraw (old and new rectangles) to the owner chain.
// TOwnerWidget is the base of the widgets that own others; TSingleWidget adds a width and a
// height of its own.

#include <cstdint>

#include "widgets/abstract_widget.h"

namespace kestrelle {

class TVisualWidget : public TAbstractWidget {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;

  bool GetVisible() override { return visible_; }
  // Only stores the flag; the dirty-rectangle pass notices the change.
  void SetVisible(bool visible) override { visible_ = visible; }
  int32_t GetZ() override { return z_; }
  void SetZ(int32_t z) override;
  double GetAnchorLeft() override { return anchorLeft_; }
  void SetAnchorLeft(double x) override;
  double GetAnchorTop() override { return anchorTop_; }
  void SetAnchorTop(double y) override;
  double GetTop() override { return anchorTop_; }
  double GetLeft() override { return anchorLeft_; }
  SurfaceRef CreateImage() override;
  bool GetMouseStop() override { return mouseStop_; }
  void SetMouseStop(bool mouseStop) override { mouseStop_ = mouseStop; }
  bool UpdateDirtyRects(bool forceOld, bool forceNew) override;
  bool GetWasVisible() override { return wasVisible_; }

  bool GetGeometryChanged() const { return geometryChanged_; }
  void SetGeometryChanged(bool changed) { geometryChanged_ = changed; }
  // The change action of a property that moves or resizes the widget.
  void MarkGeometryChanged() { geometryChanged_ = true; }
  const TRect& GetOldRect() const { return oldRect_; }

 protected:
  // The TVisualWidget step of the pass (subclasses run their own work around it).
  bool VisualDirtyStep(bool forceOld, bool forceNew);

  bool visible_ = false;
  int32_t z_ = 0;
  double anchorLeft_ = 0;
  double anchorTop_ = 0;
  bool mouseStop_ = false;
  TRect oldRect_;
  bool wasVisible_ = false;
  TRect newRect_;
  bool geometryChanged_ = false;
};

// A widget that owns others (a group or a decorator): as their owner it passes on what its own
// owner answers, and its anchor is the origin of their space.
class TOwnerWidget : public TVisualWidget, public virtual IWidgetOwner {
 public:
  EngineRef GetEngine() override;
  WindowRef GetWindow() override;
  EventHandlerRef GetEventHandler() override;
  TPoint ScreenToClient(const TPoint& point) override;
  WidgetRef FindWidget(const std::string& path) override { return TVisualWidget::FindWidget(path); }
  std::string GetPath() override { return TVisualWidget::GetPath(); }
  void InvalidateRect(const TRect& rect) override;
};

class TSingleWidget : public TVisualWidget {
 public:
  const TPropertyTable& GetPropertyTable() const override;

  int32_t GetWidth() override { return width_; }
  int32_t GetHeight() override { return height_; }
  virtual void SetWidth(int32_t width);
  virtual void SetHeight(int32_t height);

 protected:
  int32_t width_ = 0;
  int32_t height_ = 0;
};

}  // namespace kestrelle
