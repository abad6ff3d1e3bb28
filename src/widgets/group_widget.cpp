#include "widgets/group_widget.h"

#include "data/hier_storage.h"
#include "data/numbers.h"
#include "widgets/widget_factory.h"

namespace kestrelle {

void TGroupWidget::Initialize() {
  TVisualWidget::Initialize();
  widgets_ = Create<TWidgetCollection>();
  factories_ = nullptr;
}

void TGroupWidget::LoadProperties(const StorageRef& storage) {
  TVisualWidget::LoadProperties(storage);
  LoadChildObject(widgets_, storage, "widgets", 0);
  if (auto factories = std::dynamic_pointer_cast<IWidgetFactoryCollection>(
          CreateAndLoadChild(MakeObject<TWidgetFactoryCollection>, storage, "widgetfactories", 0)))
    factories_ = factories;
}

void TGroupWidget::SaveProperties(const StorageRef& storage) {
  TVisualWidget::SaveProperties(storage);
  SaveChildObject(widgets_, storage, "widgets");
  if (factories_) SaveChildObject(factories_, storage, "widgetfactories");
}

void TGroupWidget::Reset() {
  TVisualWidget::Reset();
  widgets_->Clear();
  factories_ = nullptr;
}

WidgetRef TGroupWidget::GetChild(const Variant& key) { return widgets_->Get(key); }

void TGroupWidget::SetOwner(const WidgetOwnerRef& owner) {
  TVisualWidget::SetOwner(owner);
  widgets_->SetOwner(SelfAs<IWidgetOwner>());
}

void TGroupWidget::ClearOwner() {
  widgets_->ClearOwner();
  TVisualWidget::ClearOwner();
}

void TGroupWidget::Invalidate() {
  auto children = widgets_->Snapshot();
  for (auto it = children.rbegin(); it != children.rend(); ++it) (*it)->Invalidate();
  TVisualWidget::Invalidate();
}

void TGroupWidget::DoUpdate(int32_t elapsedMs) {
  TVisualWidget::DoUpdate(elapsedMs);
  UpdateWidgets(elapsedMs);
}

void TGroupWidget::UpdateWidgets(int32_t elapsedMs) {
  auto widgets = widgets_;  // a child may reset this group
  widgets->UpdateAll(elapsedMs);
  widgets->RemoveDead();
}

void TGroupWidget::Restart() {
  TVisualWidget::Restart();
  auto children = widgets_->Snapshot();
  for (auto it = children.rbegin(); it != children.rend(); ++it) (*it)->Restart();
}

void TGroupWidget::Resume() {
  TVisualWidget::Resume();
  auto children = widgets_->Snapshot();
  for (auto it = children.rbegin(); it != children.rend(); ++it) (*it)->Resume();
}

void TGroupWidget::Pause() {
  TVisualWidget::Pause();
  auto children = widgets_->Snapshot();
  for (auto it = children.rbegin(); it != children.rend(); ++it) (*it)->Pause();
}

bool TGroupWidget::UpdateDirtyRects(bool forceOld, bool forceNew) {
  auto widgets = widgets_;
  widgets->SortByZ();
  const bool visible = GetVisible();
  const bool childNew = visible && (forceNew || !wasVisible_ || geometryChanged_ || changed_);
  const bool childOld = wasVisible_ && (forceOld || !visible || geometryChanged_);
  widgets->UpdateDirtyRectsAll(childOld, childNew);
  VisualDirtyStep(forceOld, forceNew);
  reported_ = reported_ || widgets->GetChanged();
  return reported_;
}

WidgetRef TGroupWidget::CreateWidget(const std::string& factoryName, const ParamsRef& params) {
  if (WidgetFactoryCollectionRef factories = factories_) {
    if (WidgetFactoryRef factory = factories->Get(Variant(factoryName)))
      if (WidgetRef widget = factory->CreateWidget(params)) return widget;
  }
  WidgetOwnerRef owner = GetOwner();
  return owner ? owner->CreateWidget(factoryName, params) : nullptr;
}

// ---------------------------------------------------------------------------------------------

const TPropertyTable& TVisualGroupWidget::GetPropertyTable() const {
  static const TPropertyTable table(
      TGroupWidget::GetPropertyTable(),
      {
          Property("caching", &TVisualGroupWidget::caching_)
              .SavedIfNotDefault()
              .SetWith(&TVisualGroupWidget::SetCaching),
          Property("returnselfbypos", &TVisualGroupWidget::returnSelfByPos_).SavedIfNotDefault().Quiet(),
      });
  return table;
}

void TVisualGroupWidget::Initialize() {
  TGroupWidget::Initialize();
  cacheSurface_ = nullptr;
}

void TVisualGroupWidget::SetCaching(bool caching) {
  caching_ = caching;
  Invalidate();
}

void TVisualGroupWidget::Invalidate() {
  TGroupWidget::Invalidate();
  if (caching_) {
    caching_ = false;
    cacheSurface_ = CreateImage();
    caching_ = true;
  }
}

TRect TVisualGroupWidget::ChildrenBox() {
  bool any = false;
  TRect box;
  for (const WidgetRef& child : widgets_->Snapshot()) {
    if (!child->GetVisible()) continue;
    TRect r = child->GetRect();
    box = any ? BoundingBox(box, r) : r;
    any = true;
  }
  return box;
}

double TVisualGroupWidget::GetLeft() { return GetAnchorLeft() + ChildrenBox().left; }
double TVisualGroupWidget::GetTop() { return GetAnchorTop() + ChildrenBox().top; }
int32_t TVisualGroupWidget::GetWidth() { return static_cast<int32_t>(ChildrenBox().Width()); }
int32_t TVisualGroupWidget::GetHeight() { return static_cast<int32_t>(ChildrenBox().Height()); }

TRect TVisualGroupWidget::GetRect() {
  TRect box = ChildrenBox();
  const int32_t dx = Round32(GetAnchorLeft());
  const int32_t dy = Round32(GetAnchorTop());
  return TRect{box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
}

void TVisualGroupWidget::Draw(const SurfaceRef& surface, int32_t x, int32_t y) {
  if (!surface) return;
  if (caching_ && cacheSurface_) {
    SurfaceRef cache = cacheSurface_;
    const int32_t cx = x - Round32(GetAnchorLeft() - GetLeft());
    const int32_t cy = y - Round32(GetAnchorTop() - GetTop());
    surface->Draw(cache, cache->GetRect(), kBlendNormal, static_cast<uint8_t>(transparentLevel_),
                  TRect{cx, cy, cx + cache->GetWidth(), cy + cache->GetHeight()});
    return;
  }
  for (const WidgetRef& child : widgets_->Snapshot()) {
    if (!child->GetVisible()) continue;
    child->Draw(surface, x + Round32(child->GetAnchorLeft()), y + Round32(child->GetAnchorTop()));
  }
}

WidgetRef TVisualGroupWidget::WidgetAtPoint(const TPoint& point) {
  if (!GetVisible() || !GetMouseStop()) return nullptr;
  const TPoint inner{point.x - Round32(GetAnchorLeft()), point.y - Round32(GetAnchorTop())};
  auto children = widgets_->Snapshot();
  for (auto it = children.rbegin(); it != children.rend(); ++it)
    if (WidgetRef hit = (*it)->WidgetAtPoint(inner)) return hit;
  if (returnSelfByPos_ && ContainsPoint(point, false)) return Self();
  return nullptr;
}

bool TVisualGroupWidget::ContainsPoint(const TPoint& point, bool ignoreVisibility) {
  if (!GetVisible() && !ignoreVisibility) return false;
  const TPoint inner{point.x - Round32(GetAnchorLeft()), point.y - Round32(GetAnchorTop())};
  auto children = widgets_->Snapshot();
  for (auto it = children.rbegin(); it != children.rend(); ++it)
    if ((*it)->ContainsPoint(inner, ignoreVisibility)) return true;
  return false;
}

}  // namespace kestrelle
