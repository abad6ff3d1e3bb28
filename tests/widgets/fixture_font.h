#pragma once
// The baked 12 px test font of the media fixtures (tests/media/fixtures/README.md).

#include <memory>
#include <optional>
#include <string>

#include "data/file_system.h"
#include "data/hier_storage.h"
#include "media/font.h"
#include "media/image_decode.h"

namespace kestrelle::test {

inline std::string FixtureFontDir() { return std::string(KESTRELLE_SOURCE_DIR) + "/tests/media/fixtures/"; }

inline std::shared_ptr<TBitmapFont> LoadFixtureFont() {
  std::optional<std::string> xml = ReadWholeFile(FixtureFontDir() + "font_dejavu12.xml");
  std::optional<std::string> png = ReadWholeFile(FixtureFontDir() + "font_dejavu12.png");
  if (!xml || !png) return nullptr;
  StorageRef root = LoadStorageFromString(*xml);
  StorageRef content = root ? root->GetChild("content", 0) : nullptr;
  StorageRef resource = content ? content->GetChild("resource", 0) : nullptr;
  if (!resource) return nullptr;
  auto font = Create<TBitmapFont>();
  font->LoadSymbols(resource->GetChild("symbols", 0));
  font->SetSurface(DecodePng(*png, "font_dejavu12.png"));
  return font->GetSurface() ? font : nullptr;
}

}  // namespace kestrelle::test
