#include "widgets/text_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/text_encoding.h"
#include "fixture_font.h"

namespace kestrelle {
namespace {

// Glyph widths of the fixture font used below: a 7, b 8, c 7, d 8, e 7, f 5 (wright -1), i 3,
// l 3, s 6, t 5, r 5, H 9, K 9 (wright -1), W 12, space 4; every glyph is 15 high.

class TextLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    font_ = test::LoadFixtureFont();
    ASSERT_TRUE(font_);
  }
  TextLayout Lay(const std::string& utf8, TextLayoutSettings settings) {
    return LayOutText(*font_, Utf8ToUtf16(utf8), settings);
  }
  // The shown characters of each line, keyed by their top.
  static std::vector<std::string> Lines(const TextLayout& layout) {
    std::vector<std::pair<int32_t, std::string>> lines;
    for (const TSymbolInfo& s : layout.symbols) {
      if (!s.Shown) continue;
      if (lines.empty() || lines.back().first != s.Rect.top) lines.push_back({s.Rect.top, {}});
      AppendUtf8(lines.back().second, s.Char);
    }
    std::vector<std::string> out;
    for (auto& line : lines) out.push_back(line.second);
    return out;
  }
  std::shared_ptr<TBitmapFont> font_;
};

TEST_F(TextLayoutTest, SingleLineAlignsTheLineInsideTheBox) {
  struct Case {
    TextAlign align;
    TextVertAlign vert;
    TRect bounds;
  };
  // "Hello" is 29 wide and 15 high in a 50 x 20 box.
  const Case cases[] = {
      {TextAlign::kLeft, TextVertAlign::kTop, {0, 0, 29, 15}},
      {TextAlign::kRight, TextVertAlign::kBottom, {21, 5, 50, 20}},
      {TextAlign::kCenter, TextVertAlign::kMiddle, {10, 2, 39, 17}},  // 21 / 2 and 5 / 2 truncate
  };
  for (const Case& c : cases) {
    TextLayoutSettings settings{.width = 50, .height = 20, .align = c.align, .vertAlign = c.vert};
    TextLayout layout = Lay("Hello", settings);
    EXPECT_EQ(layout.bounds, c.bounds) << static_cast<int>(c.align);
    EXPECT_EQ(layout.symbols[1].Rect.left, c.bounds.left + 9);
  }
}

TEST_F(TextLayoutTest, FixedWidthCentresEachGlyphInItsCell) {
  TextLayoutSettings settings{.width = 100, .height = 15, .useFixedWidth = true, .fixedWidth = 10};
  TextLayout layout = Lay("iW", settings);
  EXPECT_EQ(layout.symbols[0].Rect, (TRect{3, 0, 6, 15}));   // (10 - 3) / 2
  EXPECT_EQ(layout.symbols[1].Rect, (TRect{9, 0, 21, 15}));  // (10 - 12) / 2 = -1
  EXPECT_EQ(MeasureText(*font_, u"iW", true, 10), 20);
  EXPECT_EQ(MeasureText(*font_, u"iW", false, 10), 15);
  EXPECT_EQ(MeasureText(*font_, u"i\x2013W", false, 0), 15);  // the dash is not in the font

  // Multi-line fixed cells ignore the extra spacing of the glyphs too.
  settings.multiline = true;
  layout = Lay("KK", settings);
  EXPECT_EQ(layout.symbols[1].Rect.left, 10);
}

TEST_F(TextLayoutTest, SingleLineHidesEverythingFromTheFirstGlyphThatDoesNotFit) {
  // H (9) fits in 20, W (12) does not; i (3) would, but stays hidden.
  TextLayout layout = Lay("HWi", {.width = 20, .height = 15, .align = TextAlign::kRight});
  EXPECT_TRUE(layout.symbols[0].Shown);
  EXPECT_FALSE(layout.symbols[1].Shown);
  EXPECT_FALSE(layout.symbols[2].Shown);
  EXPECT_EQ(layout.bounds, (TRect{11, 0, 20, 15}));  // aligned by the width of what is kept
}

TEST_F(TextLayoutTest, MultiLineWrapsAtTheLastSpaceCutsLongWordsAndBreaksAtLineFeeds) {
  struct Case {
    const char* text;
    int32_t width;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      // d overflows 30: the line ends before the last space, which is hidden.
      {"ab cd ef", 30, {"ab", "cd ef"}},  // "cd ef" is exactly 30: f advances 5 - 1
      // No space: symbols are dropped from the end until the line fits.
      {"Kestrelle", 20, {"Ke", "str", "elle"}},
      {"ab\ncd", 100, {"ab", "cd"}},
      // A word wider than the box on a line of its own: at least one symbol per line.
      {"WWW", 5, {"W", "W", "W"}},
      // The line after "ab" starts with a space: that space is no break point, so the word after
      // it is cut instead of the line coming out empty again and again.
      {"ab  Kestrelle", 16, {"ab", " K", "es", "tr", "ell", "e"}},
  };
  for (const Case& c : cases) {
    TextLayout layout = Lay(c.text, {.width = c.width, .height = 200, .multiline = true});
    EXPECT_EQ(Lines(layout), c.lines) << c.text;
    EXPECT_EQ(layout.lines, static_cast<int32_t>(c.lines.size())) << c.text;
  }

  TextLayout layout = Lay("ab cd ef", {.width = 30, .height = 200, .multiline = true});
  EXPECT_FALSE(layout.symbols[2].Shown);  // the space the line broke at
  EXPECT_TRUE(layout.symbols[5].Shown);   // the space inside "cd ef"
  EXPECT_EQ(layout.symbols[3].Rect, (TRect{0, 15, 7, 30}));
  EXPECT_EQ(layout.symbols[7].Rect, (TRect{26, 15, 31, 30}));
}

TEST_F(TextLayoutTest, MultiLineAlignsEachLineAndTheBlock) {
  // Lines "ab" (15) and "cd ef" (30) in a 30 x 50 box, 20 px apart.
  TextLayoutSettings settings{.width = 30,
                              .height = 50,
                              .align = TextAlign::kCenter,
                              .vertAlign = TextVertAlign::kBottom,
                              .multiline = true,
                              .lineHeight = 20};
  TextLayout layout = Lay("ab cd ef", settings);
  // Bottom: 50 - 15 - 1 x 20 = 15.
  EXPECT_EQ(layout.symbols[0].Rect, (TRect{7, 15, 14, 30}));  // (30 - 15) / 2 = 7
  EXPECT_EQ(layout.symbols[3].Rect, (TRect{0, 35, 7, 50}));
  settings.vertAlign = TextVertAlign::kMiddle;
  EXPECT_EQ(Lay("ab cd ef", settings).symbols[0].Rect.top, 7);  // (50 - 35) / 2

  // Lines past the box's height: the line that starts inside it is laid out, the rest hidden.
  layout = Lay("a b c d", {.width = 10, .height = 20, .multiline = true});
  EXPECT_EQ(Lines(layout), (std::vector<std::string>{"a", "b"}));
}

TEST_F(TextLayoutTest, PositionsCountUtf16UnitsAndMissingGlyphsTakeNoSpace) {
  // U+1F600 needs two UTF-16 units and is not in the font; "€" (windows-1252 0x80) and "Ä" are.
  TextLayout layout = Lay("a\xF0\x9F\x98\x80\xE2\x82\xAC\xC3\x84", {.width = 100, .height = 15});
  ASSERT_EQ(layout.symbols.size(), 4u);
  EXPECT_EQ(layout.symbols[1].Char, U'\U0001F600');
  EXPECT_FALSE(layout.symbols[1].Shown);
  EXPECT_EQ(layout.symbols[2].Position, 4);
  EXPECT_EQ(layout.symbols[2].Char, U'\u20AC');
  EXPECT_EQ(layout.symbols[2].Rect, (TRect{7, 0, 15, 15}));
  EXPECT_EQ(layout.symbols[3].Rect, (TRect{15, 0, 24, 15}));
  EXPECT_EQ(ShownSymbolAt(layout.symbols, 4), &layout.symbols[2]);
  for (int32_t position : {0, 2, 3, 6}) EXPECT_EQ(ShownSymbolAt(layout.symbols, position), nullptr) << position;
}

TEST_F(TextLayoutTest, GlyphsDrawnAtTheirRectanglesMatchTheFontsOwnLine) {
  const std::u16string text = Utf8ToUtf16("Grüße, Kestrelle 12,50 €");
  TextLayout layout = LayOutText(*font_, text, {.width = 300, .height = 15});
  auto laid = Create<TSurface>(), reference = Create<TSurface>();
  for (auto& s : {laid, reference}) {
    s->SetSize(300, 15);
    s->SetKeepAlpha(true);
  }
  for (const TSymbolInfo& s : layout.symbols)
    if (s.Shown) laid->Draw(font_->GetSurface(), s.Symbol->GetRect(), kBlendNormal, 255, s.Rect);
  DrawTextLine(*reference, *font_, Utf8ToCodePoints("Grüße, Kestrelle 12,50 €"), 0, 0);
  int differing = 0;
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 300; ++x) differing += laid->GetPixel(x, y) != reference->GetPixel(x, y);
  EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace kestrelle
