#include "widgets/text_layout.h"

#include <algorithm>
#include <limits>

#include "data/numbers.h"

namespace kestrelle {
namespace {

int32_t Clamp32(int64_t value) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int64_t GlyphWidth(const TSymbolInfo& s) { return s.Symbol ? s.Symbol->GetWidth() : 0; }
int64_t GlyphHeight(const TSymbolInfo& s) { return s.Symbol ? s.Symbol->GetHeight() : 0; }

TRect PlaceAt(const TSymbolInfo& s, int64_t x, int64_t y) {
  return TRect{Clamp32(x), Clamp32(y), Clamp32(x + GlyphWidth(s)), Clamp32(y + GlyphHeight(s))};
}

int64_t AlignOffset(int64_t free, int32_t mode, int32_t centre, int32_t far) {
  if (mode == far) return free;
  if (mode == centre) return DivTrunc(free, 2);
  return 0;
}

class Layouter {
 public:
  Layouter(const TextLayoutSettings& settings, TextLayout& out) : s_(settings), out_(out) {}

  void SingleLine() {
    auto& symbols = out_.symbols;
    int64_t w = 0, h = 0;
    bool cut = false;
    for (TSymbolInfo& symbol : symbols) {
      if (!symbol.Shown) continue;
      if (!cut && w + SingleAdvance(symbol) > s_.width) cut = true;
      if (cut) {
        symbol.Shown = false;
        continue;
      }
      w += SingleAdvance(symbol);
      h = std::max(h, GlyphHeight(symbol));
    }
    if (out_.fontHeight > 0) h = out_.fontHeight;
    const int64_t x0 = AlignOffset(int64_t{s_.width} - w, static_cast<int32_t>(s_.align),
                                   static_cast<int32_t>(TextAlign::kCenter), static_cast<int32_t>(TextAlign::kRight));
    const int64_t y0 =
        AlignOffset(int64_t{s_.height} - h, static_cast<int32_t>(s_.vertAlign),
                    static_cast<int32_t>(TextVertAlign::kMiddle), static_cast<int32_t>(TextVertAlign::kBottom));
    int64_t pen = x0;
    for (TSymbolInfo& symbol : symbols) {
      if (!symbol.Shown) continue;
      const int64_t offset = s_.useFixedWidth ? DivTrunc(int64_t{s_.fixedWidth} - GlyphWidth(symbol), 2) : 0;
      symbol.Rect = PlaceAt(symbol, pen + offset, y0);
      pen += SingleAdvance(symbol);
    }
    out_.lines = symbols.empty() ? 0 : 1;
  }

  // Lines are built one after another. A line always takes at least one symbol and a space at
  // the start of a line is not a break point, so every line moves the start on: a word longer
  // than the box is cut, never retried.
  void MultiLine() {
    auto& symbols = out_.symbols;
    const int64_t count = static_cast<int64_t>(symbols.size());
    const int64_t step = s_.lineHeight != 0 ? s_.lineHeight : out_.fontHeight;
    int64_t start = 0, y = 0;
    int32_t lines = 0;
    while (start < count) {
      int64_t lastSpace = -1, w = 0, end = count - 1;
      bool overflow = false;
      for (int64_t i = start; i < count; ++i) {
        const TSymbolInfo& symbol = symbols[i];
        if (symbol.Char == U' ' && i > start) lastSpace = i;
        if (symbol.Char == U'\n') {
          end = i;
          break;
        }
        if (symbol.Shown) w += MultiAdvance(symbol);
        if (w > s_.width) {
          end = i;
          overflow = true;
          break;
        }
      }
      if (overflow) {
        if (lastSpace < 0) {
          while (w > s_.width && end > start) {
            if (symbols[end].Shown) w -= MultiAdvance(symbols[end]);
            --end;
          }
        } else {
          for (int64_t i = end; i >= lastSpace; --i)
            if (symbols[i].Shown) w -= MultiAdvance(symbols[i]);
          symbols[lastSpace].Shown = false;
          end = lastSpace - 1;
          // The space is dropped with the line it ends.
        }
      }
      int64_t pen = AlignOffset(int64_t{s_.width} - w, static_cast<int32_t>(s_.align),
                                static_cast<int32_t>(TextAlign::kCenter), static_cast<int32_t>(TextAlign::kRight));
      for (int64_t i = start; i <= end; ++i) {
        TSymbolInfo& symbol = symbols[i];
        if (!symbol.Shown) continue;
        if (s_.useFixedWidth) {
          const int64_t offset = DivTrunc(int64_t{s_.fixedWidth} - GlyphWidth(symbol), 2);
          symbol.Rect = PlaceAt(symbol, pen + offset, y);
          pen += s_.fixedWidth;
        } else {
          pen += symbol.WLeft;
          symbol.Rect = PlaceAt(symbol, pen, y);
          pen += GlyphWidth(symbol) + symbol.WRight;
        }
      }
      // After a break at a space the next line starts after that space.
      start = (overflow && lastSpace >= 0) ? lastSpace + 1 : end + 1;
      y += step;
      ++lines;
      if (y > s_.height) {
        for (int64_t i = start; i < count; ++i) symbols[i].Shown = false;
        break;
      }
    }
    out_.lines = lines;
    const int64_t textHeight = out_.fontHeight + int64_t{lines - 1} * step;
    int64_t dy = 0;
    if (lines > 0) {
      if (s_.vertAlign == TextVertAlign::kMiddle) dy = DivTrunc(int64_t{s_.height} - textHeight, 2);
      if (s_.vertAlign == TextVertAlign::kBottom) dy = int64_t{s_.height} - textHeight;
    }
    if (dy != 0)
      for (TSymbolInfo& symbol : symbols)
        if (symbol.Shown) {
          symbol.Rect.top = Clamp32(symbol.Rect.top + dy);
          symbol.Rect.bottom = Clamp32(symbol.Rect.bottom + dy);
        }
  }

 private:
  int64_t SingleAdvance(const TSymbolInfo& s) const { return s_.useFixedWidth ? s_.fixedWidth : GlyphWidth(s); }
  int64_t MultiAdvance(const TSymbolInfo& s) const {
    return s_.useFixedWidth ? s_.fixedWidth : GlyphWidth(s) + s.WLeft + s.WRight;
  }

  const TextLayoutSettings& s_;
  TextLayout& out_;
};

}  // namespace

std::vector<TSymbolInfo> BuildSymbols(IGlyphFont& font, std::u16string_view text) {
  std::vector<TSymbolInfo> symbols;
  symbols.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    TSymbolInfo info;
    info.Position = static_cast<int32_t>(std::min<size_t>(i + 1, std::numeric_limits<int32_t>::max()));
    char32_t c = text[i++];
    if (c >= 0xD800 && c <= 0xDBFF && i < text.size() && text[i] >= 0xDC00 && text[i] <= 0xDFFF)
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i++] - 0xDC00);
    info.Char = c;
    info.Symbol = font.GetSymbol(c);
    if (info.Symbol) {
      info.Shown = true;
      info.Rect = TRect{0, 0, info.Symbol->GetWidth(), info.Symbol->GetHeight()};
      info.WLeft = info.Symbol->GetLeftSpacing();
      info.WRight = info.Symbol->GetRightSpacing();
    }
    symbols.push_back(std::move(info));
  }
  return symbols;
}

TextLayout LayOutText(IGlyphFont& font, std::u16string_view text, const TextLayoutSettings& settings) {
  TextLayout out;
  out.fontHeight = font.GetLineHeight();
  out.symbols = BuildSymbols(font, text);
  Layouter layouter(settings, out);
  if (settings.multiline)
    layouter.MultiLine();
  else
    layouter.SingleLine();
  bool any = false;
  for (const TSymbolInfo& symbol : out.symbols) {
    if (!symbol.Shown) continue;
    out.bounds = any ? BoundingBox(out.bounds, symbol.Rect) : symbol.Rect;
    any = true;
  }
  return out;
}

int32_t MeasureText(IGlyphFont& font, std::u16string_view text, bool useFixedWidth, int32_t fixedWidth) {
  int64_t width = 0;
  for (const TSymbolInfo& symbol : BuildSymbols(font, text))
    if (symbol.Symbol) width += useFixedWidth ? fixedWidth : symbol.Symbol->GetWidth();
  return Clamp32(width);
}

int32_t MeasureTextHeight(IGlyphFont& font, std::u16string_view text) {
  int32_t height = 0;
  for (const TSymbolInfo& symbol : BuildSymbols(font, text))
    if (symbol.Symbol) height = std::max(height, symbol.Symbol->GetHeight());
  return height;
}

const TSymbolInfo* ShownSymbolAt(const std::vector<TSymbolInfo>& symbols, int32_t position) {
  auto it = std::lower_bound(symbols.begin(), symbols.end(), position,
                             [](const TSymbolInfo& s, int32_t p) { return s.Position < p; });
  if (it == symbols.end() || it->Position != position || !it->Shown) return nullptr;
  return &*it;
}

}  // namespace kestrelle
