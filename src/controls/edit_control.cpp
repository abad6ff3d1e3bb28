#include "controls/edit_control.h"

#include "controls/control_values.h"
#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/text_encoding.h"
#include "data/variant_values.h"
#include "platform/messages.h"
#include "widgets/text_widget.h"

namespace kestrelle {

const TPropertyTable& TEditControl::GetPropertyTable() const {
  // A loaded value puts the caret at its end; a value set later keeps it.
  static const TPropertyTable table(
      TControlWidget::GetPropertyTable(),
      {
          Property("max", &TEditControl::GetMax, &TEditControl::SetMax, 255).Quiet(),
          Property("capitalize", &TEditControl::GetCapitalize, &TEditControl::SetCapitalize)
              .SavedIfNotDefault()
              .Quiet(),
          Property("value", &TEditControl::GetValue, &TEditControl::LoadValue)
              .AsText()
              .SavedIfNotDefault()
              .SetWith(&TEditControl::SetValue)
              .TakesAnyValue(),
          Property("text_utf8", &TEditControl::GetValue, &TEditControl::SetValue)
              .NotStored()
              .SetWith(&TEditControl::SetValue)
              .TakesAnyValue(),
      });
  return table;
}

void TEditControl::Initialize() {
  TControlWidget::Initialize();
  text_ = TEditText();
  cursorOffset_ = {};
  cursorOffsetTaken_ = false;
}

void TEditControl::LoadProperties(const StorageRef& storage) {
  TControlWidget::LoadProperties(storage);
  RefreshDisplay();
}

Variant TEditControl::GetProperty(const std::string& name) {
  if (PropIs(name, "caret")) return Variant(text_.Caret());
  return TControlWidget::GetProperty(name);
}

void TEditControl::SetValue(const std::string& utf8) {
  text_.SetValue(utf8);
  RefreshDisplay();
}

void TEditControl::SetOwner(const WidgetOwnerRef& owner) {
  TControlWidget::SetOwner(owner);
  RefreshDisplay();
}

void TEditControl::TakeCursorOffset() {
  if (cursorOffsetTaken_) return;
  WidgetRef text = std::dynamic_pointer_cast<IWidget>(TextChild());
  WidgetRef cursor = CursorChild();
  if (!text || !cursor) return;  // (0, 0) until both are there
  cursorOffset_ = TPoint{Round32(text->GetAnchorLeft() - cursor->GetAnchorLeft()),
                         Round32(text->GetAnchorTop() - cursor->GetAnchorTop())};
  cursorOffsetTaken_ = true;
}

std::shared_ptr<ITextWidget> TEditControl::TextChild() {
  return widgets_ ? std::dynamic_pointer_cast<ITextWidget>(widgets_->GetByName("text")) : nullptr;
}

void TEditControl::FocusGained() {
  TControlWidget::FocusGained();
  RefreshDisplay();
}

void TEditControl::FocusLost() {
  TControlWidget::FocusLost();
  RefreshDisplay();
}

void TEditControl::CaptureLost() {
  TControlWidget::CaptureLost();
  RefreshDisplay();
}

bool TEditControl::KeyEvent(uint32_t message, uintptr_t key, intptr_t keyData) {
  if (!focused_) return false;
  if (message == WM_KEYDOWN && text_.KeyDown(key)) {
    RefreshDisplay();
    return true;
  }
  // A character with the Alt bit is a menu key (Alt+F, Alt+Enter), never typed text: it is left
  // to the game.
  if (message == WM_CHAR && (keyData & kAltContextBit) == 0) {
    std::shared_ptr<ITextWidget> text = TextChild();
    auto hasGlyph = [&text](char32_t cp) { return text->TextWidth(CodePointsToUtf8(std::u32string(1, cp))) > 0; };
    if (text_.TypeChar(key, text != nullptr, hasGlyph)) RefreshDisplay();
    SendEvent(kEventEditCharacter);
    return true;
  }
  return TControlWidget::KeyEvent(message, key, keyData);
}

void TEditControl::RefreshDisplay() {
  TakeCursorOffset();
  std::shared_ptr<ITextWidget> text = TextChild();
  const std::string value = text_.ValueUtf8();
  if (text) text->SetProperty("text_utf8", Variant(LiteralText(value)));
  WidgetRef cursor = CursorChild();
  if (!cursor) return;
  cursor->SetVisible(focused_);
  if (!text) return;
  const std::string align = AsciiLower(text->GetProperty("textalign").ToString());
  double left = text->GetAnchorLeft();
  if (align == "right") {
    left += text->GetWidth() - text->TextWidth(value);
  } else if (align == "center") {
    left += (text->GetWidth() - text->TextWidth(value)) / 2;
  }
  const std::u32string beforeCaret = text_.Value().substr(0, static_cast<size_t>(text_.Caret()));
  left += text->TextWidth(CodePointsToUtf8(beforeCaret));
  cursor->SetAnchorLeft(left);
  TRect rect;
  const auto caretPosition = static_cast<int32_t>(Utf8ToUtf16(CodePointsToUtf8(beforeCaret)).size());
  // The character before the caret: its first UTF-16 unit's position.
  const int32_t position = caretPosition - (!beforeCaret.empty() && beforeCaret.back() > 0xFFFF ? 1 : 0);
  if (caretPosition > 0 && text->GetSymbolRect(position, rect)) {
    cursor->SetAnchorLeft(rect.right - cursorOffset_.x);
    cursor->SetAnchorTop(rect.top - cursorOffset_.y);
  }
  SetChanged(true);
}

}  // namespace kestrelle
