#include "widgets/image_widget.h"

#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/text_encoding.h"
#include "data/variant_values.h"

namespace kestrelle {

const TPropertyTable& TResourceWidget::GetPropertyTable() const {
  static const TPropertyTable table(TSingleWidget::GetPropertyTable(),
                                    {
                                        Property("resourcename", &TResourceWidget::resourceName_),
                                    });
  return table;
}

void TResourceWidget::Initialize() {
  TSingleWidget::Initialize();
  engine_.reset();
}

void TResourceWidget::SetOwner(const WidgetOwnerRef& owner) {
  TSingleWidget::SetOwner(owner);
  engine_ = owner ? owner->GetEngine() : nullptr;
}

void TResourceWidget::ClearOwner() {
  TSingleWidget::ClearOwner();
  engine_.reset();
}

std::shared_ptr<IImageResource> TResourceWidget::GetImage() {
  EngineRef engine = engine_.lock();
  if (!engine || resourceName_.empty()) return nullptr;
  return std::dynamic_pointer_cast<IImageResource>(engine->GetResource(resourceName_));
}

// ---------------------------------------------------------------------------------------------

const TPropertyTable& TImageWidget::GetPropertyTable() const {
  static const TPropertyTable table(
      TResourceWidget::GetPropertyTable(),
      {
          Property("resourceleft", &TImageWidget::sourceLeft_).SavedIfNotDefault(),
          Property("resourcetop", &TImageWidget::sourceTop_).SavedIfNotDefault(),
          Property("drawmode", &TImageWidget::drawMode_, int32_t{kCopyRect}).AsEnum(kDrawModeWords).SavedIfNotDefault(),
          Property("blendingmode", &TImageWidget::blendingMode_, int32_t{kBlendNormal})
              .AsEnum(kBlendingModeWords)
              .SavedIfNotDefault(),
          Property("fillcolor", &TImageWidget::fillColor_).AsColor(),
      });
  return table;
}

void TImageWidget::SetSourcePosition(int32_t left, int32_t top) {
  if (left == sourceLeft_ && top == sourceTop_) return;
  sourceLeft_ = left;
  sourceTop_ = top;
  SetChanged(true);
}

void TImageWidget::Draw(const SurfaceRef& surface, int32_t x, int32_t y) { DrawImage(surface, x, y); }

void TImageWidget::DrawImage(const SurfaceRef& surface, int32_t x, int32_t y) {
  std::shared_ptr<IImageResource> image = surface ? GetImage() : nullptr;
  SurfaceRef picture = image ? image->GetSurface() : nullptr;
  if (!picture) return;
  const TRect target{x, y, x + width_, y + height_};
  const auto level = static_cast<uint8_t>(std::clamp(transparentLevel_, 0, 255));
  const auto mode = static_cast<uint8_t>(blendingMode_);
  if (drawMode_ == kFillColor)
    surface->DrawColor(fillColor_, picture, mode, level, target, GetSourceRect());
  else
    surface->Draw(picture, GetSourceRect(), mode, level, target);
}

bool TImageWidget::ContainsPoint(const TPoint& point, bool ignoreVisibility) {
  if (!TResourceWidget::ContainsPoint(point, ignoreVisibility)) return false;
  std::shared_ptr<IImageResource> image = GetImage();
  SurfaceRef picture = image ? image->GetSurface() : nullptr;
  if (!picture) return true;
  const int64_t x = int64_t{point.x} + GetSourceRect().left - Round32(anchorLeft_);
  const int64_t y = int64_t{point.y} + GetSourceRect().top - Round32(anchorTop_);
  if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) return false;
  return (picture->GetPixel(static_cast<int32_t>(x), static_cast<int32_t>(y)) >> 24) != 0;
}

}  // namespace kestrelle
