#pragma once
// "text_widget": a text laid out with the glyphs of a bitmap font resource (alignment, fixed-width
// cells, word wrap, line spacing) and drawn through a cached surface, so that a text that does
// not change costs one blit per frame. The text goes through the language table ("%key%").

#include <cstdint>
#include <string>

#include "widgets/image_widget.h"
#include "widgets/text_layout.h"

namespace kestrelle {

class ITextWidget : public virtual IWidget {
 public:
  // Sum of the advances of the characters of a UTF-8 text: the fixed width (when used) or the
  // glyph width; characters without a glyph add 0.
  virtual int32_t TextWidth(const std::string& text) = 0;
  // The largest glyph height among the characters.
  virtual int32_t TextHeight(const std::string& text) = 0;
  // The owner-space rectangle of the shown glyph at a 1-based UTF-16 position of the text.
  virtual bool GetSymbolRect(int32_t position, TRect& rect) = 0;
};

class TTextWidget : public TImageWidget, public virtual ITextWidget {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  Variant GetProperty(const std::string& name) override;
  void SetProperty(const std::string& name, const Variant& value) override;
  void SetOwner(const WidgetOwnerRef& owner) override;
  void Invalidate() override;
  void SetChanged(bool changed) override;
  TRect GetRect() override;
  void Draw(const SurfaceRef& surface, int32_t x, int32_t y) override;

  int32_t TextWidth(const std::string& text) override;
  int32_t TextHeight(const std::string& text) override;
  bool GetSymbolRect(int32_t position, TRect& rect) override;

  // The text as UTF-8, before and after the language table.
  std::string GetText() const;
  // Passes the text through the language table, then lays it out when it changed.
  void SetText(const std::string& utf8);
  const TextLayout& GetLayout() const { return layout_; }
  const TRect& GetTextBounds() const { return layout_.bounds; }
  // Lays the text out again with the current font and settings.
  void LayOut();

 private:
  TextLayoutSettings Settings() const;
  // Sets a layout field and lays out again when it changed.
  template <class T>
  void Change(T& field, T value) {
    if (field == value) return;
    field = value;
    LayOut();
  }

  std::u16string text_;
  int32_t fixedWidth_ = 0;
  bool useFixedWidth_ = false;
  TextAlign textAlign_ = TextAlign::kLeft;
  bool multiline_ = false;
  int32_t lineHeight_ = 0;
  TextVertAlign vertAlign_ = TextVertAlign::kTop;
  TextLayout layout_;
  SurfaceRef cache_;
  bool cacheDirty_ = true;
};

}  // namespace kestrelle
