#pragma once
// Images and fonts held in memory, for widgets that look their resources up in the engine.

#include <memory>
#include <string>

#include "app/resources.h"
#include "media/font.h"
#include "media/surface.h"

namespace kestrelle::test {

class MemoryImage : public TNamedObject, public virtual IImageResource {
 public:
  SurfaceRef surface;
  std::string GetFile() const override { return {}; }
  std::string GetGroup() const override { return {}; }
  void SetGroup(const std::string&) override {}
  void Load() override {}
  void Unload() override {}
  bool IsAvailable() override { return true; }
  void SetOwner(const std::shared_ptr<IResourceOwner>&) override {}
  void Release() override {}
  int32_t GetWidth() override { return surface ? surface->GetWidth() : 0; }
  int32_t GetHeight() override { return surface ? surface->GetHeight() : 0; }
  SurfaceRef GetSurface() override { return surface; }
};

class MemoryFont : public MemoryImage, public virtual IFontResource {
 public:
  std::shared_ptr<TBitmapFont> font;
  int32_t GetLineHeight() override { return font->GetLineHeight(); }
  SymbolRef GetSymbol(char32_t code) override { return font->GetSymbol(code); }
  SurfaceRef GetSurface() override { return font->GetSurface(); }
};

// A w x h picture whose pixel (x, y) is `pixel(x, y)`, with an alpha channel.
template <class F>
std::shared_ptr<MemoryImage> MakeImage(int32_t width, int32_t height, F pixel) {
  auto image = std::make_shared<MemoryImage>();
  image->surface = Create<TSurface>();
  image->surface->SetSize(width, height);
  image->surface->SetKeepAlpha(true);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) image->surface->SetPixel(x, y, pixel(x, y));
  return image;
}

}  // namespace kestrelle::test
