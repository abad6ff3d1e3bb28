#include "media/font.h"

#include <algorithm>
#include <limits>

#include "data/hier_storage.h"
#include "data/text_encoding.h"

namespace kestrelle {
namespace {

int32_t ClampToInt32(int64_t value) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int32_t ReadInt32(const StorageRef& storage, const char* name) { return ClampToInt32(ReadInt(storage, name, 0)); }

}  // namespace

// --- TSymbol ---------------------------------------------------------------------------------

void TSymbol::Initialize() {
  TPersistObject::Initialize();
  storageName_ = "symbol";
  code_ = 0;
  rect_ = {};
  leftSpacing_ = rightSpacing_ = 0;
}

void TSymbol::AssignTo(const std::shared_ptr<TNamedObject>& dest) const {
  TPersistObject::AssignTo(dest);
  if (auto symbol = std::dynamic_pointer_cast<TSymbol>(dest)) {
    symbol->code_ = code_;
    symbol->rect_ = rect_;
    symbol->leftSpacing_ = leftSpacing_;
    symbol->rightSpacing_ = rightSpacing_;
  }
}

void TSymbol::LoadProperties(const StorageRef& storage) {
  TPersistObject::LoadProperties(storage);
  name_ = ReadString(storage, "scancode", "");
  code_ = ReadInt32(storage, "scancode");
  // A damaged size must not turn into a rectangle with its sides swapped.
  const int64_t left = ReadInt32(storage, "left");
  const int64_t top = ReadInt32(storage, "top");
  const int64_t width = std::max(0, ReadInt32(storage, "width"));
  const int64_t height = std::max(0, ReadInt32(storage, "height"));
  rect_ = TRect{ClampToInt32(left), ClampToInt32(top), ClampToInt32(left + width), ClampToInt32(top + height)};
  leftSpacing_ = ReadInt32(storage, "wleft");
  rightSpacing_ = ReadInt32(storage, "wright");
}

// The element is the symbol itself: its name is its "scancode", so the inherited "name" and
// "type" attributes are not written.
void TSymbol::SaveProperties(const StorageRef& storage) {
  WriteString(storage, "scancode", name_);
  WriteInt(storage, "left", rect_.left, rect_.left != 0);
  WriteInt(storage, "top", rect_.top, rect_.top != 0);
  WriteInt(storage, "width", GetWidth());
  WriteInt(storage, "height", GetHeight());
  WriteInt(storage, "wleft", leftSpacing_, leftSpacing_ != 0);
  WriteInt(storage, "wright", rightSpacing_, rightSpacing_ != 0);
}

// --- TSymbolCollection -----------------------------------------------------------------------

void TSymbolCollection::Initialize() {
  TStaticCreationPersistItemCollection::Initialize();
  storageName_ = "symbols";
  itemElementName_ = "symbol";
  itemClass_ = MakeObject<TSymbol>;
}

void TSymbolCollection::AddItem(const InterfaceRef& item) { AddSymbol(std::dynamic_pointer_cast<ISymbol>(item)); }

bool TSymbolCollection::AddSymbol(const SymbolRef& symbol) {
  return symbol && items_.Add(symbol, symbol->GetName()) != nullptr;
}

// --- lookups ---------------------------------------------------------------------------------

SymbolRef SymbolOfText(IGlyphFont& font, std::u32string_view text) {
  return text.empty() ? nullptr : font.GetSymbol(text.front());
}

SymbolRef SymbolForTypedByte(IGlyphFont& font, uint8_t byte) { return font.GetSymbol(Cp1252ToCodePoint(byte)); }

// --- TBitmapFont -----------------------------------------------------------------------------

void TBitmapFont::Initialize() {
  TAbstractObject::Initialize();
  symbols_ = Create<TSymbolCollection>();
  byCode_.clear();
  sheet_.reset();
  lineHeight_ = 0;
}

void TBitmapFont::LoadSymbols(const StorageRef& symbols) {
  symbols_->Clear();
  if (symbols) symbols_->LoadFromStorage(symbols);
  Reindex();
}

void TBitmapFont::SaveSymbols(const StorageRef& symbols) {
  if (symbols) symbols_->SaveToStorage(symbols);
}

bool TBitmapFont::AddSymbol(const SymbolRef& symbol) {
  if (!symbols_->AddSymbol(symbol)) return false;
  Reindex();
  return true;
}

void TBitmapFont::Reindex() {
  byCode_.clear();
  lineHeight_ = 0;
  for (int i = 0; i < symbols_->GetCount(); ++i) {
    SymbolRef symbol = symbols_->GetSymbolAt(i);
    if (!symbol) continue;
    lineHeight_ = std::max(lineHeight_, symbol->GetHeight());
    const int32_t code = symbol->GetCode();
    if (code >= 0 && std::to_string(code) == symbol->GetName()) byCode_.emplace(static_cast<char32_t>(code), symbol);
  }
}

SymbolRef TBitmapFont::GetSymbol(char32_t code) {
  auto it = byCode_.find(code);
  return it == byCode_.end() ? nullptr : it->second;
}

// --- TFontChain ------------------------------------------------------------------------------

void TFontChain::Add(const GlyphFontRef& font) {
  if (font) fonts_.push_back(font);
}

void TFontChain::Clear() {
  fonts_.clear();
  current_.reset();
}

int32_t TFontChain::GetLineHeight() {
  int32_t height = 0;
  for (const auto& font : fonts_) height = std::max(height, font->GetLineHeight());
  return height;
}

SymbolRef TFontChain::GetSymbol(char32_t code) {
  for (const auto& font : fonts_) {
    if (SymbolRef symbol = font->GetSymbol(code)) {
      current_ = font;
      return symbol;
    }
  }
  return nullptr;
}

SurfaceRef TFontChain::GetSurface() {
  GlyphFontRef current = current_.lock();
  return current ? current->GetSurface() : nullptr;
}

// --- text lines ------------------------------------------------------------------------------

int32_t MeasureTextLine(IGlyphFont& font, std::u32string_view text) {
  int64_t width = 0;
  for (char32_t c : text)
    if (SymbolRef symbol = font.GetSymbol(c)) width += symbol->GetWidth();
  return ClampToInt32(width);
}

int32_t TextLineHeight(IGlyphFont& font, std::u32string_view text) {
  int32_t height = 0;
  for (char32_t c : text)
    if (SymbolRef symbol = font.GetSymbol(c)) height = std::max(height, symbol->GetHeight());
  return height;
}

int32_t DrawTextLine(ISurface& target, IGlyphFont& font, std::u32string_view text, int32_t x, int32_t y,
                     std::optional<uint32_t> fillColour) {
  int64_t pen = x;
  for (char32_t c : text) {
    SymbolRef symbol = font.GetSymbol(c);  // first: a chain picks its sheet by the symbol
    if (!symbol) continue;
    const TRect source = symbol->GetRect();
    const int64_t width = symbol->GetWidth();
    if (SurfaceRef sheet = font.GetSurface(); sheet && width > 0 && pen >= std::numeric_limits<int32_t>::min() &&
                                              pen + width <= std::numeric_limits<int32_t>::max()) {
      const TRect place{static_cast<int32_t>(pen), y, static_cast<int32_t>(pen + width),
                        ClampToInt32(int64_t{y} + symbol->GetHeight())};
      if (fillColour)
        target.DrawColor(*fillColour, sheet.get(), kBlendNormal, 255, place, source);
      else
        target.Draw(sheet.get(), source, kBlendNormal, 255, place);
    }
    pen += width;
  }
  return ClampToInt32(pen - x);
}

}  // namespace kestrelle
