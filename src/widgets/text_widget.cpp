#include "widgets/text_widget.h"

#include <utility>

#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/text_encoding.h"
#include "media/language.h"

namespace kestrelle {
namespace {

bool Is(const std::string& name, const char* word) { return EqualsIgnoreAsciiCase(name, word); }

std::string Word(const char* words, int32_t index) {
  std::string list = words;
  size_t start = 0;
  for (int32_t i = 0; i < index; ++i) start = list.find('/', start) + 1;
  return list.substr(start, list.find('/', start) - start);
}

bool WordIndex(const Variant& value, const char* words, int32_t count, int32_t& out) {
  if (!value.IsString()) return false;
  for (int32_t i = 0; i < count; ++i)
    if (Word(words, i) == value.ToString()) {
      out = i;
      return true;
    }
  return false;
}

}  // namespace

const TPropertyTable& TTextWidget::GetPropertyTable() const {
  static const TPropertyTable table(
      TImageWidget::GetPropertyTable(),
      {
          // A new font lays the text out again.
          Property("resourcename", &TTextWidget::resourceName_).OnChange(&TTextWidget::LayOut),
          Property("fixedwidth", &TTextWidget::fixedWidth_).SavedIfNotDefault().OnChange(&TTextWidget::LayOut),
          Property("usefixedwidth", &TTextWidget::useFixedWidth_).SavedIfNotDefault().OnChange(&TTextWidget::LayOut),
          Property("multiline", &TTextWidget::multiline_).SavedIfNotDefault().OnChange(&TTextWidget::LayOut),
          Property("textlineheight", &TTextWidget::lineHeight_).SavedIfNotDefault().OnChange(&TTextWidget::LayOut),
      });
  return table;
}

void TTextWidget::Initialize() {
  TImageWidget::Initialize();
  text_.clear();
  textAlign_ = TextAlign::kLeft;
  vertAlign_ = TextVertAlign::kTop;
  layout_ = TextLayout{};
  cache_.reset();
  cacheDirty_ = true;
}

// The text and the alignments (answered as words, taken only as words) are not in the table.
void TTextWidget::LoadProperties(const StorageRef& storage) {
  TImageWidget::LoadProperties(storage);
  text_ = Utf8ToUtf16(ReadLocalizedText(storage, "text", ""));
  useFixedWidth_ = useFixedWidth_ && fixedWidth_ != 0;
  textAlign_ = static_cast<TextAlign>(std::clamp(ReadEnum(storage, "textalign", kTextAlignWords, 0), 0, 2));
  vertAlign_ = static_cast<TextVertAlign>(std::clamp(ReadEnum(storage, "textvertalign", kTextVertAlignWords, 0), 0, 2));
}

void TTextWidget::SaveProperties(const StorageRef& storage) {
  TImageWidget::SaveProperties(storage);
  // The attribute goes through the language table again when it is read, so while there is a
  // table a literal "%" is written as "%%": a saved text reads back as the same text.
  std::string text = GetText();
  if (LanguageTable()) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
      escaped += c;
      if (c == '%') escaped += '%';
    }
    text = std::move(escaped);
  }
  WriteString(storage, "text", text);
  WriteString(storage, "textalign", Word(kTextAlignWords, static_cast<int32_t>(textAlign_)),
              textAlign_ != TextAlign::kLeft);
  WriteString(storage, "textvertalign", Word(kTextVertAlignWords, static_cast<int32_t>(vertAlign_)),
              vertAlign_ != TextVertAlign::kTop);
}

std::string TTextWidget::GetText() const { return Utf16ToUtf8(text_); }

void TTextWidget::SetText(const std::string& utf8) { Change(text_, Utf8ToUtf16(Translate(utf8))); }

Variant TTextWidget::GetProperty(const std::string& name) {
  if (Is(name, "text") || Is(name, "text_utf8")) return Variant(GetText());
  if (Is(name, "textalign")) return Variant(Word(kTextAlignWords, static_cast<int32_t>(textAlign_)));
  if (Is(name, "textvertalign")) return Variant(Word(kTextVertAlignWords, static_cast<int32_t>(vertAlign_)));
  return TImageWidget::GetProperty(name);
}

void TTextWidget::SetProperty(const std::string& name, const Variant& value) {
  int32_t index = 0;
  if (Is(name, "text") || Is(name, "text_utf8")) {
    // Every string of the program is UTF-8, so both names take the same text.
    if (!value.IsInterface()) SetText(value.IsEmptyOrNull() ? std::string() : value.ToString());
  } else if (Is(name, "textalign")) {
    if (WordIndex(value, kTextAlignWords, 3, index)) Change(textAlign_, static_cast<TextAlign>(index));
  } else if (Is(name, "textvertalign")) {
    if (WordIndex(value, kTextVertAlignWords, 3, index)) Change(vertAlign_, static_cast<TextVertAlign>(index));
  } else {
    TImageWidget::SetProperty(name, value);
  }
}

void TTextWidget::SetOwner(const WidgetOwnerRef& owner) {
  TImageWidget::SetOwner(owner);
  LayOut();
}

void TTextWidget::Invalidate() {
  TImageWidget::Invalidate();
  LayOut();
}

void TTextWidget::SetChanged(bool changed) {
  TImageWidget::SetChanged(changed);
  if (changed) cacheDirty_ = true;
}

TextLayoutSettings TTextWidget::Settings() const {
  return TextLayoutSettings{.width = width_,
                            .height = height_,
                            .align = textAlign_,
                            .vertAlign = vertAlign_,
                            .multiline = multiline_,
                            .useFixedWidth = useFixedWidth_,
                            .fixedWidth = fixedWidth_,
                            .lineHeight = lineHeight_};
}

void TTextWidget::LayOut() {
  SetChanged(true);
  geometryChanged_ = true;
  auto font = std::dynamic_pointer_cast<IFontResource>(GetImage());
  if (!font) return;  // the previous layout stays
  layout_ = LayOutText(*font, text_, Settings());
}

TRect TTextWidget::GetRect() {
  TRect rect = TImageWidget::GetRect();
  if (layout_.bounds.IsEmpty()) return rect;
  const int32_t dx = Round32(anchorLeft_), dy = Round32(anchorTop_);
  const TRect& b = layout_.bounds;
  return BoundingBox(rect, TRect{b.left + dx, b.top + dy, b.right + dx, b.bottom + dy});
}

void TTextWidget::Draw(const SurfaceRef& surface, int32_t x, int32_t y) {
  const TRect& bounds = layout_.bounds;
  if (!surface || bounds.IsEmpty()) return;
  const auto width = static_cast<int32_t>(bounds.Width()), height = static_cast<int32_t>(bounds.Height());
  if (!cache_) {
    EngineRef engine = GetResourceEngine();
    cache_ = engine ? engine->CreateSurface() : nullptr;
    if (!cache_) return;
    cache_->SetKeepAlpha(true);
    cacheDirty_ = true;
  }
  // The cache only grows, so a text that changes length does not reallocate every time.
  if (cache_->GetWidth() < width || cache_->GetHeight() < height) {
    cache_->SetSize(std::max(cache_->GetWidth(), width), std::max(cache_->GetHeight(), height));
    cacheDirty_ = true;
  }
  if (cacheDirty_) {
    cache_->Clear();
    auto font = std::dynamic_pointer_cast<IFontResource>(GetImage());
    if (font) {
      for (const TSymbolInfo& s : layout_.symbols) {
        if (!s.Shown) continue;
        SymbolRef symbol = font->GetSymbol(s.Char);  // first: a chain picks its sheet by the symbol
        SurfaceRef sheet = symbol ? font->GetSurface() : nullptr;
        if (!sheet) continue;
        const TRect target{s.Rect.left - bounds.left, s.Rect.top - bounds.top, s.Rect.right - bounds.left,
                           s.Rect.bottom - bounds.top};
        if (drawMode_ == kFillColor)
          cache_->DrawColor(fillColor_, sheet, kBlendNormal, 255, target, symbol->GetRect());
        else
          cache_->Draw(sheet, symbol->GetRect(), kBlendNormal, 255, target);
      }
    }
    cacheDirty_ = false;
  }
  const auto level = static_cast<uint8_t>(std::clamp(transparentLevel_, 0, 255));
  surface->Draw(cache_, cache_->GetRect(), kBlendNormal, level,
                TRect{x + bounds.left, y + bounds.top, x + bounds.left + cache_->GetWidth(),
                      y + bounds.top + cache_->GetHeight()});
}

int32_t TTextWidget::TextWidth(const std::string& text) {
  auto font = std::dynamic_pointer_cast<IFontResource>(GetImage());
  return font ? MeasureText(*font, Utf8ToUtf16(text), useFixedWidth_, fixedWidth_) : 0;
}

int32_t TTextWidget::TextHeight(const std::string& text) {
  auto font = std::dynamic_pointer_cast<IFontResource>(GetImage());
  return font ? MeasureTextHeight(*font, Utf8ToUtf16(text)) : 0;
}

bool TTextWidget::GetSymbolRect(int32_t position, TRect& rect) {
  const TSymbolInfo* symbol = ShownSymbolAt(layout_.symbols, position);
  if (!symbol) return false;
  const int32_t dx = Round32(anchorLeft_), dy = Round32(anchorTop_);
  rect = TRect{symbol->Rect.left + dx, symbol->Rect.top + dy, symbol->Rect.right + dx, symbol->Rect.bottom + dy};
  return true;
}

}  // namespace kestrelle
