#include "widgets/decorate_widget.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/text_encoding.h"
#include "data/variant_values.h"
#include "widgets/widget_depth.h"

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
  if (child_ == child || (child && !CanAttachWidget(SelfAs<IWidgetOwner>(), child))) return;
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

namespace {

int32_t SaturatedProduct(int64_t a, int64_t b) {
  return static_cast<int32_t>(std::clamp<int64_t>(a * b, INT32_MIN, INT32_MAX));
}

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }
int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

// The copies k in [0, count) whose span [start + size k, start + size (k + 1)) meets [low, high),
// as a half-open range; none when the copies are empty.
std::pair<int64_t, int64_t> CopiesMeeting(int64_t start, int64_t size, int64_t count, int64_t low, int64_t high) {
  if (size <= 0 || count <= 0 || high <= low) return {0, 0};
  const int64_t first = std::max<int64_t>(FloorDiv(low - start, size), 0);
  const int64_t end = std::min<int64_t>(CeilDiv(high - start, size), count);
  return {first, std::max(first, end)};
}

}  // namespace

// Counts and child sizes are 32-bit each; their products are not.
int32_t TReplicatorWidget::GetWidth() { return child_ ? SaturatedProduct(child_->GetWidth(), cols_) : 0; }
int32_t TReplicatorWidget::GetHeight() { return child_ ? SaturatedProduct(child_->GetHeight(), rows_) : 0; }

void TReplicatorWidget::Draw(const SurfaceRef& surface, int32_t x, int32_t y) {
  WidgetRef child = child_;
  if (!child || !surface) return;
  const int64_t w = child->GetWidth();
  const int64_t h = child->GetHeight();
  // Only the copies that meet the clip rectangle: the counts may be far larger than the screen.
  const TRect clip = surface->GetDrawableRect();
  const int64_t left = int64_t{x} + Round32(child->GetLeft()) - Round32(child->GetAnchorLeft());
  const int64_t top = int64_t{y} + Round32(child->GetTop()) - Round32(child->GetAnchorTop());
  const auto [firstCol, endCol] = CopiesMeeting(left, w, cols_, clip.left, clip.right);
  const auto [firstRow, endRow] = CopiesMeeting(top, h, rows_, clip.top, clip.bottom);
  auto at = [](int64_t origin, int64_t size, int64_t index) {
    return static_cast<int32_t>(std::clamp<int64_t>(origin + size * index, INT32_MIN, INT32_MAX));
  };
  for (int64_t i = firstCol; i < endCol; ++i)
    for (int64_t j = firstRow; j < endRow; ++j) child->Draw(surface, at(x, w, i), at(y, h, j));
}

}  // namespace kestrelle
