#pragma once
// Groups: widgets that own a collection of children and a collection of widget factories, and
// act as the children's owner. TGroupWidget draws nothing itself; TVisualGroupWidget
// ("group_widget") draws its children in z order, can cache its picture, and takes part in hit
// testing through its children.

#include <memory>
#include <string>

#include "widgets/visual_widget.h"
#include "widgets/widget_collection.h"

namespace kestrelle {

class TGroupWidget : public TOwnerWidget {
 public:
  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  void Reset() override;

  WidgetRef GetChild(const Variant& key) override;
  void SetOwner(const WidgetOwnerRef& owner) override;
  void ClearOwner() override;
  void Invalidate() override;
  void DoUpdate(int32_t elapsedMs) override;
  void Restart() override;
  void Resume() override;
  void Pause() override;
  WidgetCollectionRef GetWidgets() override { return widgets_; }
  bool UpdateDirtyRects(bool forceOld, bool forceNew) override;
  // Updates the children, then removes the dead ones.
  virtual void UpdateWidgets(int32_t elapsedMs);

  // IWidgetOwner
  WidgetRef CreateWidget(const std::string& factoryName, const ParamsRef& params) override;

  std::shared_ptr<TWidgetCollection> GetWidgetCollection() const { return widgets_; }
  WidgetFactoryCollectionRef GetFactories() const { return factories_; }
  void SetFactories(const WidgetFactoryCollectionRef& factories) { factories_ = factories; }

 protected:
  std::shared_ptr<TWidgetCollection> widgets_;
  WidgetFactoryCollectionRef factories_;
};

class TVisualGroupWidget : public TGroupWidget {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;

  void Invalidate() override;
  // The bounding box of the visible children, in the owner's space.
  double GetTop() override;
  double GetLeft() override;
  int32_t GetWidth() override;
  int32_t GetHeight() override;
  TRect GetRect() override;
  void Draw(const SurfaceRef& surface, int32_t x, int32_t y) override;
  WidgetRef WidgetAtPoint(const TPoint& point) override;
  bool ContainsPoint(const TPoint& point, bool ignoreVisibility) override;

  bool GetCaching() const { return caching_; }
  void SetCaching(bool caching);
  bool GetReturnSelfByPos() const { return returnSelfByPos_; }
  void SetReturnSelfByPos(bool flag) { returnSelfByPos_ = flag; }

 protected:
  // Union of the visible children's rectangles in the children's space (empty at (0, 0) when
  // none is visible).
  TRect ChildrenBox();

  bool caching_ = false;
  SurfaceRef cacheSurface_;
  bool returnSelfByPos_ = false;
};

}  // namespace kestrelle
