#include "media/surface.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "data/class_registry.h"
#include "data/file_system.h"
#include "data/numbers.h"
#include "data/size_limits.h"
#include "media/blend_kernels.h"
#include "media/blend_reference.h"
#include "media/surface_geometry.h"

namespace kestrelle {

using blend::ActiveKernels;
using blend::Alpha;
using blend::WithAlpha;

namespace {

// The largest pixel block a surface may hold (the byte count must fit a signed 32-bit value).
constexpr std::align_val_t kPixelAlignment{64};

// A source that is this very surface is copied first when the areas overlap, so that every
// pixel is read before it is written.
struct SourceView {
  const uint32_t* pixels = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  bool keepAlpha = false;
  std::vector<uint32_t> copy;
};

bool ViewOf(const ISurface* surface, SourceView& view) {
  if (!surface) return false;
  view.pixels = surface->GetScanLine(0);
  view.width = surface->GetWidth();
  view.height = surface->GetHeight();
  view.keepAlpha = surface->GetKeepAlpha();
  return view.pixels && view.width > 0 && view.height > 0;
}

// Makes `view` a private copy of the source area when it overlaps the target area of the same
// surface; the blit then reads the copy with its own coordinates.
void DetachIfOverlapping(const ISurface* source, const ISurface* target, const BlitArea& area, SourceView& view,
                         BlitArea& local) {
  local = area;
  if (source != target) return;
  const TRect src{static_cast<int32_t>(area.sx), static_cast<int32_t>(area.sy), static_cast<int32_t>(area.sx + area.w),
                  static_cast<int32_t>(area.sy + area.h)};
  const TRect dst{static_cast<int32_t>(area.tx), static_cast<int32_t>(area.ty), static_cast<int32_t>(area.tx + area.w),
                  static_cast<int32_t>(area.ty + area.h)};
  if (!Intersects(src, dst)) return;
  view.copy.resize(static_cast<size_t>(area.w * area.h));
  for (int64_t y = 0; y < area.h; ++y)
    std::memcpy(view.copy.data() + y * area.w, view.pixels + (area.sy + y) * view.width + area.sx,
                static_cast<size_t>(area.w) * 4);
  view.pixels = view.copy.data();
  view.width = static_cast<int32_t>(area.w);
  view.height = static_cast<int32_t>(area.h);
  local.sx = 0;
  local.sy = 0;
}

}  // namespace

// ---- Lifetime and plain access ------------------------------------------------------------------

TSurface::~TSurface() { FreePixels(); }

void TSurface::Initialize() {
  TAbstractObject::Initialize();
  FreePixels();
  width_ = 0;
  height_ = 0;
  keepAlpha_ = false;
  clipEnabled_ = false;
  clipByRegion_ = false;
  clipRect_ = TRect{};
  region_.Clear();
}

void TSurface::FreePixels() {
  if (pixels_) ::operator delete(pixels_, kPixelAlignment);
  pixels_ = nullptr;
}

void TSurface::SetSize(int32_t width, int32_t height) {
  FreePixels();
  width_ = 0;
  height_ = 0;
  if (width < 0 || height < 0) {
    LogLine("Surface size " + std::to_string(width) + " x " + std::to_string(height) +
            " is negative; the surface stays empty.");
    return;
  }
  if (width == 0 || height == 0) {
    width_ = width;
    height_ = height;
    return;
  }
  // Unsigned: two 31-bit sides times four bytes still fit in 64 bits.
  const uint64_t bytes = static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 4u;
  if (bytes > kLargestPictureBytes) {
    LogLine("Surface size " + std::to_string(width) + " x " + std::to_string(height) +
            " is too large; the surface stays empty.");
    return;
  }
  void* block = ::operator new(static_cast<size_t>(bytes), kPixelAlignment, std::nothrow);
  if (!block) {
    LogLine("Out of memory for a surface of " + std::to_string(width) + " x " + std::to_string(height) + ".");
    return;
  }
  std::memset(block, 0, static_cast<size_t>(bytes));
  pixels_ = static_cast<uint32_t*>(block);
  width_ = width;
  height_ = height;
}

uint32_t* TSurface::GetScanLine(int32_t y) {
  if (!pixels_ || y < 0 || y >= height_) return nullptr;
  return pixels_ + int64_t{y} * width_;
}

const uint32_t* TSurface::GetScanLine(int32_t y) const {
  if (!pixels_ || y < 0 || y >= height_) return nullptr;
  return pixels_ + int64_t{y} * width_;
}

uint32_t TSurface::GetPixel(int32_t x, int32_t y) const {
  if (!pixels_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[int64_t{y} * width_ + x];
}

void TSurface::SetPixel(int32_t x, int32_t y, uint32_t colour) {
  if (!pixels_ || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  if (clipEnabled_ && !clipRect_.Contains(x, y)) return;
  pixels_[int64_t{y} * width_ + x] = keepAlpha_ ? colour : colour | 0xFF000000u;
}

void TSurface::Clear() {
  if (pixels_) std::memset(pixels_, 0, static_cast<size_t>(int64_t{width_} * height_ * 4));
}

void TSurface::CountAlpha(const ParamsRef& params, int32_t threshold) {
  if (!params) return;
  const int64_t total = pixels_ ? int64_t{width_} * height_ : 0;
  int64_t opaque = 0;
  for (int64_t i = 0; i < total; ++i) opaque += static_cast<int32_t>(Alpha(pixels_[i])) > threshold;
  params->SetValue("PixelsCount", Variant(total));
  params->SetValue("OpaqueCount", Variant(opaque));
  params->SetValue("TransparentCount", Variant(total - opaque));
}

// ---- Clipping state -----------------------------------------------------------------------------

TRect ISurface::GetDrawableRect() const {
  const TRect whole = GetRect();
  if (!IsClipEnabled()) return whole;
  if (!IsClipByRegion()) return Intersection(whole, GetClipRect());
  const std::vector<TClippingRect>& items = GetDirtyRegion().Items();
  if (items.empty()) return TRect{};
  TRect box = items.front().rect;
  for (const TClippingRect& item : items) box = BoundingBox(box, item.rect);
  return Intersection(whole, box);
}

void TSurface::SetClipRect(bool enabled, const TRect& rect) {
  clipEnabled_ = enabled;
  clipRect_ = rect;
  clipByRegion_ = false;
}

void TSurface::AddDirtyRect(const TRect& rect) {
  region_.Add(rect);
  if (!region_.IsEmpty()) {
    clipEnabled_ = true;
    clipByRegion_ = true;
  }
}

void TSurface::ClearDirty() {
  region_.Clear();
  clipEnabled_ = false;
  clipByRegion_ = false;
}

// ---- Blits --------------------------------------------------------------------------------------

bool TSurface::Draw(const ISurface* source, const TRect& sourceRect, uint8_t mode, uint8_t opacity,
                    const TRect& targetRect) {
  if (!clipByRegion_) return DrawOnce(source, sourceRect, mode, opacity, targetRect);
  bool drew = false;
  for (const TClippingRect& dirty : region_.Items()) {
    const TRect clip = Intersection(dirty.rect, targetRect);
    if (clip.IsEmpty()) continue;
    clipRect_ = clip;
    drew |= DrawOnce(source, sourceRect, mode, opacity, targetRect);
  }
  return drew;
}

bool TSurface::DrawColor(uint32_t colour, const ISurface* source, uint8_t mode, uint8_t opacity,
                         const TRect& targetRect, const TRect& sourceRect) {
  if (!clipByRegion_) return DrawColorOnce(colour, source, mode, opacity, targetRect, sourceRect);
  bool drew = false;
  for (const TClippingRect& dirty : region_.Items()) {
    const TRect clip = Intersection(dirty.rect, targetRect);
    if (clip.IsEmpty()) continue;
    clipRect_ = clip;
    drew |= DrawColorOnce(colour, source, mode, opacity, targetRect, sourceRect);
  }
  return drew;
}

bool TSurface::DrawOnce(const ISurface* source, const TRect& sourceRect, uint8_t mode, uint8_t opacity,
                        const TRect& targetRect) {
  if (opacity == 0 || mode > kBlendBltFast) return false;
  SourceView view;
  if (!pixels_ || !ViewOf(source, view)) return false;
  BlitArea area;
  if (!ClipBlit(targetRect, sourceRect, view.width, view.height, width_, height_, clipEnabled_, clipRect_, area))
    return false;
  BlitArea at = area;
  if (source == this) DetachIfOverlapping(source, this, area, view, at);

  const int count = static_cast<int>(at.w);
  const bool copy = mode == kBlendBltFast || (mode == kBlendNormal && !view.keepAlpha && opacity == 255);
  if (copy && at.w == width_ && at.w == view.width) {
    // Whole rows of both surfaces: one block.
    std::memcpy(pixels_ + at.ty * width_, view.pixels + at.sy * view.width, static_cast<size_t>(at.w * at.h) * 4);
    return true;
  }
  // One loop per kind of row, stepping both pointers.
  uint32_t* dst = pixels_ + at.ty * width_ + at.tx;
  const uint32_t* src = view.pixels + at.sy * view.width + at.sx;
  const int64_t dstStride = width_, srcStride = view.width;
  const uint32_t* const end = src + at.h * srcStride;
  if (copy) {
    const size_t bytes = static_cast<size_t>(count) * 4;
    for (; src != end; dst += dstStride, src += srcStride) std::memcpy(dst, src, bytes);
    return true;
  }
  const bool ka = keepAlpha_;
  if (mode == kBlendNormal) {
    const blend::RowKernels& kernels = ActiveKernels();
    const auto row = view.keepAlpha ? kernels.normalAlpha : kernels.normalOpaque;
    for (; src != end; dst += dstStride, src += srcStride) row(dst, src, count, opacity, ka);
    return true;
  }
  for (; src != end; dst += dstStride, src += srcStride)
    blend::ReferenceDrawRow(mode, view.keepAlpha, ka, opacity, dst, src, count);
  return true;
}

bool TSurface::DrawColorOnce(uint32_t colour, const ISurface* source, uint8_t mode, uint8_t opacity,
                             const TRect& targetRect, const TRect& sourceRect) {
  if (opacity == 0 || mode > kBlendBltFast) return false;
  SourceView view;
  if (!pixels_ || !ViewOf(source, view)) return false;
  BlitArea area;
  if (!ClipBlit(targetRect, sourceRect, view.width, view.height, width_, height_, clipEnabled_, clipRect_, area))
    return false;
  BlitArea at;
  DetachIfOverlapping(source, this, area, view, at);

  const int count = static_cast<int>(at.w);
  const uint32_t k = uint32_t{opacity} * Alpha(colour) / 255;
  const bool fill = mode == kBlendBltFast || (mode == kBlendNormal && !view.keepAlpha && k == 255);
  const uint32_t fillColour = keepAlpha_ ? colour : colour | 0xFF000000u;
  uint32_t* dst = pixels_ + at.ty * width_ + at.tx;
  const uint32_t* shape = view.pixels + at.sy * view.width + at.sx;
  if (mode == kBlendNormal && view.keepAlpha && !fill) {
    ActiveKernels().colorAlpha(dst, width_, shape, view.width, count, static_cast<int>(at.h), colour, k, keepAlpha_);
    return true;
  }
  const blend::RowKernels& kernels = ActiveKernels();
  for (int64_t y = 0; y < at.h; ++y, dst += width_, shape += view.width) {
    if (fill)
      std::fill_n(dst, count, fillColour);
    else if (mode == kBlendNormal)
      kernels.colorBlend(dst, count, colour, k, keepAlpha_);
    else
      blend::ReferenceDrawColorRow(mode, view.keepAlpha, keepAlpha_, opacity, colour, dst, shape, count);
  }
  return true;
}

bool TSurface::DrawMasked(const ISurface* source, const TRect& sourceRect, const TRect& targetRect,
                          const TRect& maskRect, const ISurface* mask) {
  SourceView view, maskView;
  if (!pixels_ || !ViewOf(source, view) || !ViewOf(mask, maskView)) return false;
  MaskedArea area;
  if (!ClipMasked(targetRect, sourceRect, maskRect, view.width, view.height, maskView.width, maskView.height, width_,
                  height_, clipEnabled_, clipRect_, area))
    return false;
  // A source or mask that is this surface is read from a copy taken before any write.
  std::vector<uint32_t> sourceCopy, maskCopy;
  if (source == this) {
    sourceCopy.assign(pixels_, pixels_ + int64_t{width_} * height_);
    view.pixels = sourceCopy.data();
  }
  if (mask == this) {
    maskCopy.assign(pixels_, pixels_ + int64_t{width_} * height_);
    maskView.pixels = maskCopy.data();
  }
  const uint32_t alphaOr = keepAlpha_ ? 0u : 0xFF000000u;
  for (int64_t y = 0; y < area.h; ++y) {
    uint32_t* dst = pixels_ + (area.ty + y) * width_ + area.tx;
    const uint32_t* src = view.pixels + (area.sy + y) * view.width + area.sx;
    const uint32_t* m = maskView.pixels + (area.my + y) * maskView.width + area.mx;
    for (int64_t x = 0; x < area.w; ++x)
      if (Alpha(m[x]) != 0) dst[x] = src[x] | alphaOr;
  }
  return true;
}

// ---- Collection and registration ----------------------------------------------------------------

bool TSurfaceCollection::AddSurface(const std::string& name, const SurfaceRef& surface) {
  return Items().Add(InterfaceRef(surface), name) != nullptr;
}

SurfaceRef TSurfaceCollection::GetSurface(const std::string& name) const { return ItemAs<ISurface>(Variant(name)); }

SurfaceRef TSurfaceCollection::GetSurfaceAt(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return ItemAs<ISurface>(Variant(index));
}

void RegisterSurfaceClasses() {
  RegisterObjectClass<TSurface>("surface");
  RegisterObjectClass<TSurfaceCollection>("surface_collection");
}

}  // namespace kestrelle
