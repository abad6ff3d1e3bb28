#pragma once
// Decorators: widgets that wrap exactly one child widget (the first "widget" inside their
// "widgets" element) and act as its owner. TBehaviourWidget draws its child at the child's anchor
// and takes the child's size (the base of the appearance effects); TReplicatorWidget
// ("replicator_widget") draws its child as a grid of Cols x Rows copies.

#include <cstdint>

#include "widgets/visual_widget.h"

namespace kestrelle {

class TDecorateWidget : public TOwnerWidget {
 public:
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  void Reset() override;

  // Whatever the key: the child.
  WidgetRef GetChild(const Variant& key) override { return child_; }
  void SetOwner(const WidgetOwnerRef& owner) override;
  void ClearOwner() override;
  void Invalidate() override;
  void DoUpdate(int32_t elapsedMs) override;
  void Restart() override;
  void Resume() override;
  void Pause() override;
  WidgetRef WidgetAtPoint(const TPoint& point) override;

  // IWidgetOwner: a decorator has no factories; it always asks its owner.
  WidgetRef CreateWidget(const std::string& factoryName, const ParamsRef& params) override;

  WidgetRef GetChildWidget() const { return child_; }
  // Replaces the child (the old one leaves the tree; the new one gets this decorator as owner
  // when the decorator has an owner).
  void SetChildWidget(const WidgetRef& child);

 protected:
  WidgetRef child_;
};

class TBehaviourWidget : public TDecorateWidget {
 public:
  // Own anchor plus the child's left and top; the child's size (0 without child).
  double GetTop() override;
  double GetLeft() override;
  int32_t GetWidth() override;
  int32_t GetHeight() override;
  void Draw(const SurfaceRef& surface, int32_t x, int32_t y) override;
  bool UpdateDirtyRects(bool forceOld, bool forceNew) override;
};

class TReplicatorWidget : public TDecorateWidget {
 public:
  const TPropertyTable& GetPropertyTable() const override;
  int32_t GetWidth() override;
  int32_t GetHeight() override;
  void Draw(const SurfaceRef& surface, int32_t x, int32_t y) override;

 private:
  int32_t cols_ = 1;
  int32_t rows_ = 1;
};

}  // namespace kestrelle
