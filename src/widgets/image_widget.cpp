#include "widgets/image_widget.h"

#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/text_encoding.h"
#include "widgets/widget_values.h"

namespace kestrelle {
namespace {

bool Is(const std::string& name, const char* word) { return EqualsIgnoreAsciiCase(name, word); }

// An enumeration property: its index, or one of its words.
bool EnumValue(const Variant& value, const char* words, int32_t count, int64_t& out) {
  if (value.IsString()) {
    const std::string text = value.ToString();
    std::string list = words;
    int32_t index = 0;
    for (size_t start = 0; start <= list.size(); ++index) {
      const size_t end = std::min(list.find('/', start), list.size());
      if (list.compare(start, end - start, text) == 0) {
        out = index;
        return true;
      }
      start = end + 1;
    }
  }
  return VariantToInt(value, out) && out >= 0 && out < count;
}

}  // namespace

void TResourceWidget::Initialize() {
  TSingleWidget::Initialize();
  resourceName_.clear();
  engine_.reset();
}

void TResourceWidget::LoadProperties(const StorageRef& storage) {
  TSingleWidget::LoadProperties(storage);
  resourceName_ = ReadString(storage, "resourcename", "");
}

void TResourceWidget::SaveProperties(const StorageRef& storage) {
  TSingleWidget::SaveProperties(storage);
  WriteString(storage, "resourcename", resourceName_);
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

void TImageWidget::Initialize() {
  TResourceWidget::Initialize();
  sourceLeft_ = sourceTop_ = 0;
  drawMode_ = kCopyRect;
  blendingMode_ = kBlendNormal;
  fillColor_ = 0;
}

void TImageWidget::LoadProperties(const StorageRef& storage) {
  TResourceWidget::LoadProperties(storage);
  sourceLeft_ = static_cast<int32_t>(ReadInt(storage, "resourceleft", 0));
  sourceTop_ = static_cast<int32_t>(ReadInt(storage, "resourcetop", 0));
  drawMode_ = ReadEnum(storage, "drawmode", kDrawModeWords, kCopyRect);
  blendingMode_ = ReadEnum(storage, "blendingmode", kBlendingModeWords, kBlendNormal);
  if (blendingMode_ < 0 || blendingMode_ > kBlendBltFast) blendingMode_ = kBlendNormal;
  if (drawMode_ < 0 || drawMode_ > kFillColor) drawMode_ = kCopyRect;
  fillColor_ = ReadHex(storage, "fillcolor", 0);
}

void TImageWidget::SaveProperties(const StorageRef& storage) {
  TResourceWidget::SaveProperties(storage);
  WriteInt(storage, "resourceleft", sourceLeft_, sourceLeft_ != 0);
  WriteInt(storage, "resourcetop", sourceTop_, sourceTop_ != 0);
  WriteEnum(storage, "drawmode", drawMode_, kDrawModeWords, drawMode_ != kCopyRect);
  WriteEnum(storage, "blendingmode", blendingMode_, kBlendingModeWords, blendingMode_ != kBlendNormal);
  WriteHex(storage, "fillcolor", fillColor_);
}

Variant TImageWidget::GetProperty(const std::string& name) {
  if (Is(name, "fillcolor")) return Variant(static_cast<int64_t>(fillColor_));
  if (Is(name, "drawmode")) return Variant(drawMode_);
  if (Is(name, "blendingmode")) return Variant(blendingMode_);
  if (Is(name, "resourcename")) return Variant(resourceName_);
  if (Is(name, "resourceleft")) return Variant(sourceLeft_);
  if (Is(name, "resourcetop")) return Variant(sourceTop_);
  return TResourceWidget::GetProperty(name);
}

void TImageWidget::SetProperty(const std::string& name, const Variant& value) {
  int64_t i = 0;
  if (Is(name, "fillcolor")) {
    uint32_t colour = 0;
    if (VariantToColor(value, colour) && colour != fillColor_) {
      fillColor_ = colour;
      SetChanged(true);
    }
  } else if (Is(name, "drawmode")) {
    if (EnumValue(value, kDrawModeWords, 2, i) && i != drawMode_) {
      drawMode_ = static_cast<int32_t>(i);
      SetChanged(true);
    }
  } else if (Is(name, "blendingmode")) {
    if (EnumValue(value, kBlendingModeWords, kBlendBltFast + 1, i) && i != blendingMode_) {
      blendingMode_ = static_cast<int32_t>(i);
      SetChanged(true);
    }
  } else if (Is(name, "resourcename")) {
    if (value.IsEmptyOrNull() || value.IsInterface()) return;
    const std::string text = value.ToString();
    if (text != resourceName_) {
      resourceName_ = text;
      SetChanged(true);
    }
  } else if (Is(name, "resourceleft")) {
    if (VariantToInt(value, i) && i != sourceLeft_) SetSourcePosition(static_cast<int32_t>(i), sourceTop_);
  } else if (Is(name, "resourcetop")) {
    if (VariantToInt(value, i) && i != sourceTop_) SetSourcePosition(sourceLeft_, static_cast<int32_t>(i));
  } else {
    TResourceWidget::SetProperty(name, value);
  }
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
