#pragma once
// Text layout of the text widget: one TSymbolInfo per character, placed with the glyphs of a
// bitmap font inside a box, single-line (cut at the box's width) or multi-line (word wrap,
// forced breaks at line feeds, long words cut), with horizontal and vertical alignment and
// optional fixed-width cells.
//
// Text is UTF-16 (positions count in UTF-16 units, 1-based); characters are code points, so a
// surrogate pair is one symbol whose position is that of its first unit.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "media/font.h"
#include "media/geometry.h"

namespace kestrelle {

enum class TextAlign : int32_t { kLeft = 0, kCenter = 1, kRight = 2 };
enum class TextVertAlign : int32_t { kTop = 0, kMiddle = 1, kBottom = 2 };

// Word lists of the alignment attributes.
inline constexpr const char* kTextAlignWords = "left/center/right";
inline constexpr const char* kTextVertAlignWords = "top/middle/bottom";

struct TSymbolInfo {
  char32_t Char = 0;
  int32_t Position = 0;  // 1-based UTF-16 index of the character in the text
  TRect Rect;            // glyph rectangle in the widget's space
  int32_t WLeft = 0;
  int32_t WRight = 0;
  bool Shown = false;
  SymbolRef Symbol;  // the font's symbol; none when the font lacks the character
};

struct TextLayoutSettings {
  int32_t width = 0;
  int32_t height = 0;
  TextAlign align = TextAlign::kLeft;
  TextVertAlign vertAlign = TextVertAlign::kTop;
  bool multiline = false;
  bool useFixedWidth = false;
  int32_t fixedWidth = 0;
  int32_t lineHeight = 0;  // multi-line step; 0 uses the font's height
};

struct TextLayout {
  std::vector<TSymbolInfo> symbols;
  TRect bounds;            // union of the shown glyphs; empty when none is shown
  int32_t fontHeight = 0;  // the font's largest glyph height
  int32_t lines = 0;       // lines laid out (multi-line)
};

// One symbol per character, not yet placed: Rect (0, 0, glyph width, glyph height), Shown when
// the font has the character.
std::vector<TSymbolInfo> BuildSymbols(IGlyphFont& font, std::u16string_view text);

TextLayout LayOutText(IGlyphFont& font, std::u16string_view text, const TextLayoutSettings& settings);

// The pen advance of a character of `text` summed: the fixed width when `useFixedWidth`, else the
// glyph width; characters without a glyph add 0.
int32_t MeasureText(IGlyphFont& font, std::u16string_view text, bool useFixedWidth, int32_t fixedWidth);
// The largest glyph height among the characters of `text`.
int32_t MeasureTextHeight(IGlyphFont& font, std::u16string_view text);

// The shown symbol at a 1-based UTF-16 position; null when there is none or it is hidden.
const TSymbolInfo* ShownSymbolAt(const std::vector<TSymbolInfo>& symbols, int32_t position);

}  // namespace kestrelle
