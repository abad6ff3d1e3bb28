#pragma once
// Bitmap fonts: a glyph sheet (a surface) and a table of symbols, one per character, each naming
// its glyph's rectangle in the sheet and the extra space around it.
//
// A symbol's name is its character code in decimal ("65" for "A") and fonts look symbols up by
// that name. Codes are Unicode code points: typed characters arrive as windows-1252 bytes and go
// through `SymbolForTypedByte`, which converts them first.
//
// Stored form (the "symbols" child of a font resource element):
//   <symbols><symbol scancode="65" left="10" top="0" width="9" height="16" wleft="-1" wright="1"/>...</symbols>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "data/object.h"
#include "media/geometry.h"
#include "media/surface.h"

namespace kestrelle {

class ISymbol : public virtual INamedObject {
 public:
  virtual int32_t GetCode() const = 0;
  virtual void SetCode(int32_t code) = 0;
  // The glyph's area in the sheet (right and bottom exclusive).
  virtual TRect GetRect() const = 0;
  virtual void SetRect(const TRect& rect) = 0;
  virtual int32_t GetWidth() const = 0;
  virtual int32_t GetHeight() const = 0;
  // Extra space before the glyph (may be negative) and after it.
  virtual int32_t GetLeftSpacing() const = 0;
  virtual int32_t GetRightSpacing() const = 0;
};
using SymbolRef = std::shared_ptr<ISymbol>;

class TSymbol : public TPersistObject, public virtual ISymbol {
 public:
  void Initialize() override;
  void AssignTo(const std::shared_ptr<TNamedObject>& dest) const override;
  // "scancode" gives the name (as written) and the code (its integer value).
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;

  int32_t GetCode() const override { return code_; }
  void SetCode(int32_t code) override { code_ = code; }
  TRect GetRect() const override { return rect_; }
  void SetRect(const TRect& rect) override { rect_ = rect; }
  int32_t GetWidth() const override { return rect_.right - rect_.left; }
  int32_t GetHeight() const override { return rect_.bottom - rect_.top; }
  int32_t GetLeftSpacing() const override { return leftSpacing_; }
  int32_t GetRightSpacing() const override { return rightSpacing_; }
  void SetSpacing(int32_t left, int32_t right) {
    leftSpacing_ = left;
    rightSpacing_ = right;
  }

 private:
  int32_t code_ = 0;
  TRect rect_;
  int32_t leftSpacing_ = 0;
  int32_t rightSpacing_ = 0;
};

class ISymbolCollection : public virtual ICollection {
 public:
  virtual SymbolRef GetSymbol(const std::string& name) const = 0;
  virtual SymbolRef GetSymbolAt(int index) const = 0;
  // Keyed by the symbol's name; a name already present adds nothing (false).
  virtual bool AddSymbol(const SymbolRef& symbol) = 0;
};

// "symbols" of "symbol" elements.
class TSymbolCollection : public TStaticCreationPersistItemCollection, public virtual ISymbolCollection {
 public:
  void Initialize() override;
  void AddItem(const InterfaceRef& item) override;

  SymbolRef GetSymbol(const std::string& name) const override { return ItemAs<ISymbol>(name); }
  SymbolRef GetSymbolAt(int index) const override { return ItemAs<ISymbol>(Variant(int64_t{index})); }
  bool AddSymbol(const SymbolRef& symbol) override;
};

// What a text drawer needs of a font. A font resource and a font chain both answer it.
class IGlyphFont : public virtual IInterface {
 public:
  // The largest symbol height.
  virtual int32_t GetLineHeight() = 0;
  // The symbol of character `code`; none when the font lacks it.
  virtual SymbolRef GetSymbol(char32_t code) = 0;
  // The sheet the symbols' rectangles refer to. A chain answers the sheet of the font that gave
  // the last symbol, so ask for the symbol first.
  virtual SurfaceRef GetSurface() = 0;
};
using GlyphFontRef = std::shared_ptr<IGlyphFont>;

// The symbol of the first character of `text`; none for an empty text.
SymbolRef SymbolOfText(IGlyphFont& font, std::u32string_view text);
// The symbol for a character typed as a windows-1252 byte.
SymbolRef SymbolForTypedByte(IGlyphFont& font, uint8_t byte);

// A sheet and its symbols: the font model a font resource wraps.
class TBitmapFont : public TAbstractObject, public virtual IGlyphFont {
 public:
  void Initialize() override;

  // Reads the "symbol" children of a "symbols" element (replacing the table) and computes the
  // line height.
  void LoadSymbols(const StorageRef& symbols);
  void SaveSymbols(const StorageRef& symbols);
  // Adds one symbol (first of a name wins) and updates the line height.
  bool AddSymbol(const SymbolRef& symbol);
  const std::shared_ptr<TSymbolCollection>& Symbols() const { return symbols_; }

  void SetSurface(const SurfaceRef& sheet) { sheet_ = sheet; }

  int32_t GetLineHeight() override { return lineHeight_; }
  SymbolRef GetSymbol(char32_t code) override;
  SurfaceRef GetSurface() override { return sheet_; }

 private:
  void Reindex();

  std::shared_ptr<TSymbolCollection> symbols_;
  // Code to symbol, for the symbols whose name is the plain decimal text of their code: those
  // are exactly the ones a lookup by name finds.
  std::unordered_map<char32_t, SymbolRef> byCode_;
  SurfaceRef sheet_;
  int32_t lineHeight_ = 0;
};

// An ordered list of fonts standing in for one: each character comes from the first font that
// has it, and that font becomes the current one (whose sheet `GetSurface` answers).
class TFontChain : public TAbstractObject, public virtual IGlyphFont {
 public:
  void Add(const GlyphFontRef& font);
  void Clear();
  int GetCount() const { return static_cast<int>(fonts_.size()); }

  // The largest line height of the fonts.
  int32_t GetLineHeight() override;
  SymbolRef GetSymbol(char32_t code) override;
  // The current font's sheet; none before any symbol was found.
  SurfaceRef GetSurface() override;
  GlyphFontRef GetCurrent() const { return current_.lock(); }

 private:
  std::vector<GlyphFontRef> fonts_;
  std::weak_ptr<IGlyphFont> current_;
};

// One line of text as the single-line text layout places it: glyphs side by side, each advancing
// the pen by its width, all sharing the same top; characters the font lacks take no space.
int32_t MeasureTextLine(IGlyphFont& font, std::u32string_view text);
// The largest glyph height among the characters of `text` (0 when none has a glyph).
int32_t TextLineHeight(IGlyphFont& font, std::u32string_view text);
// Draws the line with its top-left corner at (x, y) in blend mode normal at full level: a plain
// blit of each glyph, or with `fillColour` that colour painted through the glyph's alpha.
// Returns the width of the line.
int32_t DrawTextLine(ISurface& target, IGlyphFont& font, std::u32string_view text, int32_t x, int32_t y,
                     std::optional<uint32_t> fillColour = std::nullopt);

}  // namespace kestrelle
