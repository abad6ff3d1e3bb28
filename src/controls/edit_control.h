#pragma once
// "EditControl": a one-line text field. Its text child ("text") shows the value, its cursor child
// ("cursor") marks the caret while the field has the keyboard focus. Typed characters (windows-
// 1252 character messages) go in at the caret when the font can draw them and the value is
// shorter than "max", upper-cased with "capitalize"; every character message reports event 4.
// A character with the Alt bit is a menu key, not typing: the edit leaves it alone.

#include <cstdint>
#include <string>

#include "controls/control_widget.h"
#include "controls/edit_text.h"

namespace kestrelle {

class ITextWidget;

class TEditControl : public TControlWidget {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void LoadProperties(const StorageRef& storage) override;
  Variant GetProperty(const std::string& name) override;
  void SetOwner(const WidgetOwnerRef& owner) override;
  bool GetTabStop() override { return tabStop_ && visible_ && enabled_; }
  void FocusGained() override;
  void FocusLost() override;
  void CaptureLost() override;
  bool KeyEvent(uint32_t message, uintptr_t key, intptr_t keyData) override;

  const TEditText& Text() const { return text_; }
  std::string GetValue() const { return text_.ValueUtf8(); }
  // Keeps the caret inside the new value.
  void SetValue(const std::string& utf8);
  int32_t GetMax() const { return text_.GetMax(); }
  void SetMax(int32_t max) { text_.SetMax(max); }
  bool GetCapitalize() const { return text_.GetCapitalize(); }
  void SetCapitalize(bool capitalize) { text_.SetCapitalize(capitalize); }

 private:
  // A loaded value puts the caret at its end.
  void LoadValue(const std::string& utf8) { text_.Load(utf8); }
  std::shared_ptr<ITextWidget> TextChild();
  WidgetRef CursorChild() { return widgets_ ? widgets_->GetByName("cursor") : nullptr; }
  // The text child shows the value; the cursor shows while focused, after the caret's character.
  void RefreshDisplay();
  // The text child's anchor minus the cursor's, as the data placed them: taken once, before the
  // display first moves the cursor, so later attachments do not measure a moved cursor.
  void TakeCursorOffset();

  TEditText text_;
  TPoint cursorOffset_;
  bool cursorOffsetTaken_ = false;
};

}  // namespace kestrelle
