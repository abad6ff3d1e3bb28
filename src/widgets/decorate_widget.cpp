#include "widgets/decorate_widget.h"

#include "data/hier_storage.h"
#include "data/numbers.h"

namespace kestrelle {

void TDecorateWidget::LoadProperties(const StorageRef& storage) {
  TVisualWidget::LoadProperties(storage);
  if (storage && storage->GetChildCount("widgets") > 0) {
    StorageRef widgets = storage->GetChild("widgets", 0);
    if (auto child = std::dynamic_pointer_cast<IWidget>(CreateChildObject(widgets, "widget", 0))) child_ = child;
  }
}

void TDecorateWidget::SaveProperties(const StorageRef& storage) {
  TVisualWidget::SaveProperties(storage);
  if (!storage) return;
  StorageRef widgets = storage->AddChild("widgets");
  if (widgets && child_) SaveChildObject(child_, widgets, "widget");
}

void TDecorateWidget::Reset() {
  TVisualWidget::Reset();
  if (child_) child_->ClearOwner();
  child_ = nullptr;
}

void TDecorateWidget::SetChildWidget(const WidgetRef& child) {
  if (child_ == child) return;
  if (child_) child_->ClearOwner();
  child_ = child;
  if (child_ && GetOwner()) child_->SetOwner(SelfAs<IWidgetOwner>());
  SetChanged(true);
}

void TDecorateWidget::SetOwner(const WidgetOwnerRef& owner) {
  TVisualWidget::SetOwner(owner);
  if (WidgetRef child = child_) child->SetOwner(SelfAs<IWidgetOwner>());
}

void TDecorateWidget::ClearOwner() {
  if (WidgetRef child = child_) child->ClearOwner();
  TVisualWidget::ClearOwner();
}

void TDecorateWidget::Invalidate() {
  TVisualWidget::Invalidate();
  if (WidgetRef child = child_) child->Invalidate();
}

void TDecorateWidget::DoUpdate(int32_t elapsedMs) {
  TVisualWidget::DoUpdate(elapsedMs);
  if (WidgetRef child = child_; child && !child->GetPaused()) child->Update(elapsedMs);
}

void TDecorateWidget::Restart() {
  TVisualWidget::Restart();
  if (WidgetRef child = child_) child->Restart();
}

void TDecorateWidget::Resume() {
  TVisualWidget::Resume();
  if (WidgetRef child = child_) child->Resume();
}

void TDecorateWidget::Pause() {
  TVisualWidget::Pause();
  if (WidgetRef child = child_) child->Pause();
}

WidgetRef TDecorateWidget::WidgetAtPoint(const TPoint& point) {
  WidgetRef hit = TVisualWidget::WidgetAtPoint(point);
  WidgetRef child = child_;
  if (hit && child && hit == Self()) {
    const TPoint client = ScreenToClient(TPoint{0, 0});
    const TPoint owner = ScreenToOwner(TPoint{0, 0});
    const TPoint inner{point.x + client.x - owner.x, point.y + client.y - owner.y};
    if (WidgetRef childHit = child->WidgetAtPoint(inner)) return childHit;
  }
  return hit;
}

WidgetRef TDecorateWidget::CreateWidget(const std::string& factoryName, const ParamsRef& params) {
  WidgetOwnerRef owner = GetOwner();
  return owner ? owner->CreateWidget(factoryName, params) : nullptr;
}

// ---------------------------------------------------------------------------------------------

double TBehaviourWidget::GetLeft() { return GetAnchorLeft() + (child_ ? child_->GetLeft() : 0.0); }
double TBehaviourWidget::GetTop() { return GetAnchorTop() + (child_ ? child_->GetTop() : 0.0); }
int32_t TBehaviourWidget::GetWidth() { return child_ ? child_->GetWidth() : 0; }
int32_t TBehaviourWidget::GetHeight() { return child_ ? child_->GetHeight() : 0; }

void TBehaviourWidget::Draw(const SurfaceRef& surface, int32_t x, int32_t y) {
  WidgetRef child = child_;
  if (!child || !surface) return;
  child->Draw(surface, x + Round32(child->GetAnchorLeft()), y + Round32(child->GetAnchorTop()));
}

bool TBehaviourWidget::UpdateDirtyRects(bool forceOld, bool forceNew) {
  if (WidgetRef child = child_) {
    child->UpdateDirtyRects(forceOld, forceNew);
    if (child->GetReported()) {
      SetChanged(true);
      geometryChanged_ = true;
    }
  }
  return VisualDirtyStep(forceOld, forceNew);
}

// ---------------------------------------------------------------------------------------------

const TPropertyTable& TReplicatorWidget::GetPropertyTable() const {
  static const TPropertyTable table(
      TDecorateWidget::GetPropertyTable(),
      {
          Property("cols", &TReplicatorWidget::cols_, 1).OnChange(&TReplicatorWidget::MarkGeometryChanged),
          Property("rows", &TReplicatorWidget::rows_, 1).OnChange(&TReplicatorWidget::MarkGeometryChanged),
      });
  return table;
}

int32_t TReplicatorWidget::GetWidth() { return child_ ? child_->GetWidth() * cols_ : 0; }
int32_t TReplicatorWidget::GetHeight() { return child_ ? child_->GetHeight() * rows_ : 0; }

void TReplicatorWidget::Draw(const SurfaceRef& surface, int32_t x, int32_t y) {
  WidgetRef child = child_;
  if (!child || !surface) return;
  const int32_t w = child->GetWidth();
  const int32_t h = child->GetHeight();
  for (int32_t i = 0; i < cols_; ++i)
    for (int32_t j = 0; j < rows_; ++j) child->Draw(surface, x + w * i, y + h * j);
}

}  // namespace kestrelle
