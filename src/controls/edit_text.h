#pragma once
// The text model of the edit control: the value as code points, the caret between them, and the
// keys and typed characters that change them. Typed characters arrive as windows-1252 bytes
// (WM_CHAR); the value is kept as code points so that the caret never splits a character.

#include <cstdint>
#include <functional>
#include <string>

namespace kestrelle {

// The upper-case windows-1252 byte of a byte (letters of the code page; everything else unchanged).
uint8_t Cp1252Upper(uint8_t byte);

class TEditText {
 public:
  // A character may be inserted only when the font can draw it.
  using GlyphTest = std::function<bool(char32_t)>;

  const std::u32string& Value() const { return value_; }
  std::string ValueUtf8() const;
  int32_t Caret() const { return caret_; }
  int32_t Length() const { return static_cast<int32_t>(value_.size()); }

  int32_t GetMax() const { return max_; }
  void SetMax(int32_t max) { max_ = max; }
  bool GetCapitalize() const { return capitalize_; }
  void SetCapitalize(bool capitalize) { capitalize_ = capitalize; }

  // A loaded value puts the caret at its end.
  void Load(const std::string& utf8);
  // A value set later keeps the caret, unless the caret would lie beyond its end (then it goes
  // to the start).
  void SetValue(const std::string& utf8);

  // End, Home, Left and Right move the caret (within the value); true for those keys.
  bool KeyDown(uintptr_t key);
  // One character message: Backspace removes the character before the caret; any other byte is
  // inserted at the caret when `canInsert` (the control has a text child), the value is shorter
  // than Max and the font has a glyph for it. True when the value changed.
  bool TypeChar(uintptr_t byte, bool canInsert, const GlyphTest& hasGlyph);

 private:
  std::u32string value_;
  int32_t caret_ = 0;
  int32_t max_ = 255;
  bool capitalize_ = false;
};

}  // namespace kestrelle
