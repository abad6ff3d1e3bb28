#include "media/font.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>

#include "data/file_system.h"
#include "data/hier_storage.h"
#include "data/text_encoding.h"
#include "image_test_encoders.h"
#include "media/image_decode.h"

namespace kestrelle {
namespace {

StorageRef SymbolsFrom(const std::string& xml) {
  StorageRef root = LoadStorageFromString(xml);
  return root;
}

std::shared_ptr<TBitmapFont> FontFrom(const std::string& symbolsXml, const SurfaceRef& sheet = nullptr) {
  auto font = Create<TBitmapFont>();
  font->LoadSymbols(SymbolsFrom(symbolsXml));
  font->SetSurface(sheet);
  return font;
}

SurfaceRef Sheet(int width, int height, uint32_t colour) {
  auto sheet = Create<TSurface>();
  sheet->SetSize(width, height);
  sheet->SetKeepAlpha(true);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) sheet->SetPixel(x, y, colour);
  return sheet;
}

TEST(FontSymbols, AreReadKeyedByTheirDecimalCodeWithTheLineHeightOfTheTallest) {
  auto font = FontFrom(R"(<symbols>
      <symbol scancode="65" left="10" top="2" width="7" height="12" wleft="-1" wright="2"/>
      <symbol scancode="8364" width="9" height="14"/>
      <symbol scancode="65" width="99" height="99"/>
      <symbol scancode="066" width="5" height="5"/>
      <symbol scancode="67" left="3" width="-4" height="8"/>
    </symbols>)");

  SymbolRef a = font->GetSymbol(U'A');
  ASSERT_TRUE(a);
  EXPECT_EQ(a->GetName(), "65");
  EXPECT_EQ(a->GetCode(), 65);
  EXPECT_EQ(a->GetRect(), (TRect{10, 2, 17, 14}));
  EXPECT_EQ(a->GetWidth(), 7);  // the first of two definitions wins
  EXPECT_EQ(a->GetHeight(), 12);
  EXPECT_EQ(a->GetLeftSpacing(), -1);
  EXPECT_EQ(a->GetRightSpacing(), 2);
  // "066" is a name a lookup by "66" never finds.
  EXPECT_FALSE(font->GetSymbol(U'B'));
  EXPECT_EQ(font->GetLineHeight(), 14);
  // A damaged negative width gives an empty glyph, not a rectangle with its sides swapped.
  ASSERT_TRUE(font->GetSymbol(U'C'));
  EXPECT_EQ(font->GetSymbol(U'C')->GetRect(), (TRect{3, 0, 3, 8}));

  EXPECT_FALSE(SymbolOfText(*font, U""));
  EXPECT_EQ(SymbolOfText(*font, U"Ax"), a);
  EXPECT_FALSE(SymbolOfText(*font, U"xA"));
  // Typed characters come as windows-1252 bytes: 0x80 is the euro sign, U+20AC.
  ASSERT_TRUE(SymbolForTypedByte(*font, 0x80));
  EXPECT_EQ(SymbolForTypedByte(*font, 0x80)->GetCode(), 8364);
  EXPECT_EQ(SymbolForTypedByte(*font, 'A'), a);
}

TEST(FontSymbols, WriteOnlyTheSpacingAndOffsetsThatAreNotZero) {
  auto font = FontFrom(R"(<symbols>
      <symbol scancode="65" left="10" top="2" width="7" height="12" wleft="-1" wright="2"/>
      <symbol scancode="32" width="4" height="12"/>
    </symbols>)");
  StorageRootRef out = CreateStorage("symbols");
  font->SaveSymbols(out->GetRoot());
  const std::string xml = out->SaveToString();
  EXPECT_NE(xml.find(R"(<symbol scancode="65" left="10" top="2" width="7" height="12" wleft="-1" wright="2")"),
            std::string::npos)
      << xml;
  EXPECT_NE(xml.find(R"(<symbol scancode="32" width="4" height="12")"), std::string::npos) << xml;

  auto again = FontFrom(xml);
  ASSERT_TRUE(again->GetSymbol(U'A'));
  EXPECT_EQ(again->GetSymbol(U'A')->GetRect(), (TRect{10, 2, 17, 14}));
}

TEST(FontChain, EachCharacterComesFromTheFirstFontThatHasIt) {
  SurfaceRef sheetA = Sheet(20, 10, 0xFF112233);
  SurfaceRef sheetB = Sheet(20, 20, 0xFF445566);
  auto first = FontFrom(R"(<symbols><symbol scancode="65" width="5" height="10"/></symbols>)", sheetA);
  auto second = FontFrom(R"(<symbols><symbol scancode="65" width="7" height="20"/>
                                     <symbol scancode="66" width="6" height="20"/></symbols>)",
                         sheetB);
  auto chain = Create<TFontChain>();
  chain->Add(first);
  chain->Add(second);

  EXPECT_EQ(chain->GetLineHeight(), 20);
  EXPECT_FALSE(chain->GetSurface());  // nothing asked yet
  EXPECT_EQ(chain->GetSymbol(U'B')->GetWidth(), 6);
  EXPECT_EQ(chain->GetSurface(), sheetB);
  EXPECT_EQ(chain->GetSymbol(U'A')->GetWidth(), 5);
  EXPECT_EQ(chain->GetSurface(), sheetA);
  EXPECT_FALSE(chain->GetSymbol(U'Z'));
  EXPECT_EQ(chain->GetSurface(), sheetA);  // a miss keeps the current font

  // A line drawn through the chain takes each glyph from its own font's sheet.
  auto layer = Create<TSurface>();
  layer->SetSize(20, 20);
  layer->SetKeepAlpha(true);
  EXPECT_EQ(DrawTextLine(*layer, *chain, U"AB?A", 0, 0), 16);
  EXPECT_EQ(layer->GetPixel(0, 0), 0xFF112233u);
  EXPECT_EQ(layer->GetPixel(5, 0), 0xFF445566u);
  EXPECT_EQ(layer->GetPixel(11, 0), 0xFF112233u);
  EXPECT_EQ(layer->GetPixel(2, 15), 0u);  // below the first font's glyph

  chain->Clear();
  EXPECT_FALSE(chain->GetSurface());
  EXPECT_EQ(chain->GetLineHeight(), 0);
}

// ---------------------------------------------------------------------------------------------
// The baked test font (tests/media/fixtures, see the README there).

std::shared_ptr<TBitmapFont> LoadFixtureFont() {
  const std::string dir = std::string(KESTRELLE_SOURCE_DIR) + "/tests/media/fixtures/";
  std::optional<std::string> xml = ReadWholeFile(dir + "font_dejavu12.xml");
  std::optional<std::string> png = ReadWholeFile(dir + "font_dejavu12.png");
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

void SaveForViewing(const ISurface& surface, const std::string& name) {
  test::RgbaImage image{surface.GetWidth(), surface.GetHeight(), {}};
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) image.pixels.push_back(surface.GetPixel(x, y));
  const std::filesystem::path dir = std::filesystem::path(KESTRELLE_BINARY_DIR) / "test-output";
  std::filesystem::create_directories(dir);
  std::ofstream(dir / name, std::ios::binary) << test::EncodePng(image, {PNG_COLOR_TYPE_RGB_ALPHA, 8});
}

uint32_t PixelChecksum(const ISurface& surface) {
  uLong crc = crc32(0, nullptr, 0);
  for (int y = 0; y < surface.GetHeight(); ++y)
    crc = crc32(crc, reinterpret_cast<const Bytef*>(surface.GetScanLine(y)), surface.GetWidth() * 4);
  return static_cast<uint32_t>(crc);
}

TEST(FontText, ALineDrawnWithTheBakedFontMatchesTheStoredPixels) {
  auto font = LoadFixtureFont();
  ASSERT_TRUE(font);
  EXPECT_EQ(font->GetLineHeight(), 15);

  const std::u32string line = Utf8ToCodePoints("Kestrelle: ÄÖÜ äöü ß – 12,50 €");  // the dash is not in the font
  const std::u32string withoutDash = Utf8ToCodePoints("Kestrelle: ÄÖÜ äöü ß  12,50 €");
  EXPECT_EQ(MeasureTextLine(*font, line), MeasureTextLine(*font, withoutDash));
  EXPECT_EQ(TextLineHeight(*font, line), 15);

  // On an empty layer glyphs are copied exactly, so the picture does not depend on blend rounding.
  auto layer = Create<TSurface>();
  layer->SetSize(200, 34);
  layer->SetKeepAlpha(true);
  const int32_t width = DrawTextLine(*layer, *font, line, 2, 1);
  EXPECT_EQ(width, MeasureTextLine(*font, line));
  EXPECT_EQ(DrawTextLine(*layer, *font, line, 2, 17, 0xFFFF8000u), width);

  // The first glyph is the sheet's "K" cell, pixel for pixel.
  SymbolRef k = font->GetSymbol(U'K');
  ASSERT_TRUE(k);
  for (int y = 0; y < k->GetHeight(); ++y)
    for (int x = 0; x < k->GetWidth(); ++x)
      ASSERT_EQ(layer->GetPixel(2 + x, 1 + y),
                font->GetSurface()->GetPixel(k->GetRect().left + x, k->GetRect().top + y));

  // For looking at: the layer over a dark background.
  auto view = Create<TSurface>();
  view->SetSize(200, 34);
  for (int y = 0; y < 34; ++y)
    for (int x = 0; x < 200; ++x) {
      const uint32_t p = layer->GetPixel(x, y), a = p >> 24, background = 0xFF203040u;
      uint32_t mixed = 0xFF000000u;
      for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t f = (p >> shift) & 0xFF, b = (background >> shift) & 0xFF;
        mixed |= ((f * a + b * (255 - a)) / 255) << shift;
      }
      view->SetPixel(x, y, mixed);
    }
  SaveForViewing(*view, "font_line.png");

  EXPECT_EQ(width, 181);
  EXPECT_EQ(PixelChecksum(*layer), 0x224ca26du) << std::hex << PixelChecksum(*layer);
}

}  // namespace
}  // namespace kestrelle
