#pragma once
// In-memory 32-bit drawing surfaces.
//
// Pixel format: one 32-bit word per pixel, 0xAARRGGBB in a little-endian word, so the bytes in
// memory are blue, green, red, alpha. Alpha 0 is transparent, 255 opaque. Colours passed to the
// drawing operations use the same layout. Rows run top to bottom with no padding: row y starts
// at GetScanLine(0) + y * width.
//
// A surface without keep alpha is opaque: every write sets alpha to 255. A surface with keep
// alpha is a layer whose alpha is kept and composed.
//
// Clipping: `SetClipRect` limits drawing to one rectangle. `AddDirtyRect` collects the dirty
// region and turns on clipping by region: `Draw` and `DrawColor` then run once per dirty
// rectangle, clipped to it, until `ClearDirty` or `SetClipRect`.

#include <cstdint>
#include <memory>
#include <string>

#include "data/object.h"
#include "data/params.h"
#include "media/geometry.h"
#include "media/region.h"

namespace kestrelle {

// Blend modes; data files name them "/normal/screen/overlay/linearlight/addition/maxopaque/bltfast".
enum BlendMode : uint8_t {
  kBlendNormal = 0,
  kBlendScreen = 1,
  kBlendOverlay = 2,
  kBlendLinearLight = 3,
  kBlendAddition = 4,
  kBlendMaxOpaque = 5,
  kBlendBltFast = 6,
};
inline constexpr const char* kBlendModeNames = "/normal/screen/overlay/linearlight/addition/maxopaque/bltfast";

class ISurface;
using SurfaceRef = std::shared_ptr<ISurface>;

class ISurface : public virtual IInterface {
 public:
  virtual int32_t GetWidth() const = 0;
  virtual int32_t GetHeight() const = 0;
  // Reallocates to w x h transparent black pixels (the old content is lost). 0 x 0 frees the
  // pixels; a negative size or one too large to allocate leaves the surface empty (0 x 0).
  virtual void SetSize(int32_t width, int32_t height) = 0;
  // Start of row y; null when y is outside 0 .. height - 1.
  virtual uint32_t* GetScanLine(int32_t y) = 0;
  virtual const uint32_t* GetScanLine(int32_t y) const = 0;
  // The pixel; 0 outside the surface.
  virtual uint32_t GetPixel(int32_t x, int32_t y) const = 0;
  // Stores the colour (alpha forced to 255 unless keep alpha); nothing outside the surface or,
  // while clipping is on, outside the clip rectangle.
  virtual void SetPixel(int32_t x, int32_t y, uint32_t colour) = 0;
  virtual bool GetKeepAlpha() const = 0;
  // The pixels are not changed.
  virtual void SetKeepAlpha(bool keepAlpha) = 0;

  // Blends `sourceRect` of `source` onto `targetRect` of this surface (no scaling: the drawn
  // size is the smaller of the two). `mode` is a BlendMode, `opacity` 0..255. True when
  // anything was drawn. A null source draws nothing.
  virtual bool Draw(const ISurface* source, const TRect& sourceRect, uint8_t mode, uint8_t opacity,
                    const TRect& targetRect) = 0;
  // Paints `colour` through the alpha of `source` (the shape) onto `targetRect`.
  virtual bool DrawColor(uint32_t colour, const ISurface* source, uint8_t mode, uint8_t opacity,
                         const TRect& targetRect, const TRect& sourceRect) = 0;
  // Copies source pixels where the mask pixel's alpha is not 0.
  virtual bool DrawMasked(const ISurface* source, const TRect& sourceRect, const TRect& targetRect,
                          const TRect& maskRect, const ISurface* mask) = 0;
  // Replaces this surface's content by the source rotated by `angle` degrees around `pivot`
  // and scaled; `offset` moves the source position (in source pixels).
  virtual void RenderTransformed(const ISurface* source, const TPoint& pivot, double angle, bool smooth, double scaleX,
                                 double scaleY, double offsetX, double offsetY) = 0;
  // Replaces every pixel by the source scaled (a negative scale mirrors); outside the source
  // the pixel becomes transparent. A scale of 0 draws nothing.
  virtual void RenderScaled(const ISurface* source, double offsetX, double offsetY, double scaleX, double scaleY,
                            bool smooth) = 0;
  // Draws the whole source with its top-left corner at a fractional position.
  virtual bool DrawSubPixel(const ISurface* source, double x, double y) = 0;

  // Sets clipping to `rect` (or off); clipping by region goes off.
  virtual void SetClipRect(bool enabled, const TRect& rect) = 0;
  // Adds to the dirty region; when the region is not empty, clipping by region goes on.
  virtual void AddDirtyRect(const TRect& rect) = 0;
  // Empties the dirty region; clipping goes off.
  virtual void ClearDirty() = 0;

  // Address and value of a pixel without bounds checks.
  virtual uint32_t* GetPixelAddress(int32_t x, int32_t y) = 0;
  virtual uint32_t GetPixelFast(int32_t x, int32_t y) const = 0;
  // Every byte set to 0 (transparent black).
  virtual void Clear() = 0;
  // Writes "PixelsCount", "OpaqueCount" (alpha above `threshold`) and "TransparentCount" into
  // `params`; nothing without a collection.
  virtual void CountAlpha(const ParamsRef& params, int32_t threshold) = 0;

  // State readers for the engine and the tests.
  virtual const TRegion& GetDirtyRegion() const = 0;
  virtual bool IsClipEnabled() const = 0;
  virtual bool IsClipByRegion() const = 0;
  virtual TRect GetClipRect() const = 0;

  // Conveniences over the pointer forms.
  bool Draw(const SurfaceRef& source, const TRect& sourceRect, uint8_t mode, uint8_t opacity, const TRect& targetRect) {
    return Draw(source.get(), sourceRect, mode, opacity, targetRect);
  }
  bool DrawColor(uint32_t colour, const SurfaceRef& source, uint8_t mode, uint8_t opacity, const TRect& targetRect,
                 const TRect& sourceRect) {
    return DrawColor(colour, source.get(), mode, opacity, targetRect, sourceRect);
  }
  // The whole surface as a rectangle.
  TRect GetRect() const { return TRect{0, 0, GetWidth(), GetHeight()}; }
  // The part drawing can reach now: the surface cut to the clip rectangle, or to the box around
  // the dirty region while clipping by region.
  TRect GetDrawableRect() const;
};

class TSurface : public TAbstractObject, public virtual ISurface {
 public:
  TSurface() = default;
  ~TSurface() override;

  void Initialize() override;

  int32_t GetWidth() const override { return width_; }
  int32_t GetHeight() const override { return height_; }
  void SetSize(int32_t width, int32_t height) override;
  uint32_t* GetScanLine(int32_t y) override;
  const uint32_t* GetScanLine(int32_t y) const override;
  uint32_t GetPixel(int32_t x, int32_t y) const override;
  void SetPixel(int32_t x, int32_t y, uint32_t colour) override;
  bool GetKeepAlpha() const override { return keepAlpha_; }
  void SetKeepAlpha(bool keepAlpha) override { keepAlpha_ = keepAlpha; }

  using ISurface::Draw;
  using ISurface::DrawColor;
  bool Draw(const ISurface* source, const TRect& sourceRect, uint8_t mode, uint8_t opacity,
            const TRect& targetRect) override;
  bool DrawColor(uint32_t colour, const ISurface* source, uint8_t mode, uint8_t opacity, const TRect& targetRect,
                 const TRect& sourceRect) override;
  bool DrawMasked(const ISurface* source, const TRect& sourceRect, const TRect& targetRect, const TRect& maskRect,
                  const ISurface* mask) override;
  void RenderTransformed(const ISurface* source, const TPoint& pivot, double angle, bool smooth, double scaleX,
                         double scaleY, double offsetX, double offsetY) override;
  void RenderScaled(const ISurface* source, double offsetX, double offsetY, double scaleX, double scaleY,
                    bool smooth) override;
  bool DrawSubPixel(const ISurface* source, double x, double y) override;

  void SetClipRect(bool enabled, const TRect& rect) override;
  void AddDirtyRect(const TRect& rect) override;
  void ClearDirty() override;

  uint32_t* GetPixelAddress(int32_t x, int32_t y) override { return pixels_ + (int64_t{y} * width_ + x); }
  uint32_t GetPixelFast(int32_t x, int32_t y) const override { return pixels_[int64_t{y} * width_ + x]; }
  void Clear() override;
  void CountAlpha(const ParamsRef& params, int32_t threshold) override;

  const TRegion& GetDirtyRegion() const override { return region_; }
  bool IsClipEnabled() const override { return clipEnabled_; }
  bool IsClipByRegion() const override { return clipByRegion_; }
  TRect GetClipRect() const override { return clipRect_; }

 private:
  void FreePixels();
  // Writes the source's w x h area at the origin, mixed by fractions (0 <= f < 1): pixel (x, y)
  // is the bilinear mix of source pixels x .. x + 1, y .. y + 1 (transparent black outside),
  // the fractions weighing the right-hand and lower ones.
  bool MixShifted(const ISurface* source, double fracX, double fracY);
  bool DrawOnce(const ISurface* source, const TRect& sourceRect, uint8_t mode, uint8_t opacity,
                const TRect& targetRect);
  bool DrawColorOnce(uint32_t colour, const ISurface* source, uint8_t mode, uint8_t opacity, const TRect& targetRect,
                     const TRect& sourceRect);

  int32_t width_ = 0;
  int32_t height_ = 0;
  bool keepAlpha_ = false;
  uint32_t* pixels_ = nullptr;
  bool clipEnabled_ = false;
  TRect clipRect_;
  TRegion region_;
  bool clipByRegion_ = false;
};

class ISurfaceCollection : public virtual ICollection {
 public:
  // A name already present adds nothing (false).
  virtual bool AddSurface(const std::string& name, const SurfaceRef& surface) = 0;
  // Null when there is no such surface.
  virtual SurfaceRef GetSurface(const std::string& name) const = 0;
  virtual SurfaceRef GetSurfaceAt(int index) const = 0;
};
using SurfaceCollectionRef = std::shared_ptr<ISurfaceCollection>;

class TSurfaceCollection : public TCollection, public virtual ISurfaceCollection {
 public:
  bool AddSurface(const std::string& name, const SurfaceRef& surface) override;
  SurfaceRef GetSurface(const std::string& name) const override;
  SurfaceRef GetSurfaceAt(int index) const override;
};

// Registers "surface" (TSurface) and "surface_collection" (TSurfaceCollection).
void RegisterSurfaceClasses();

}  // namespace kestrelle
