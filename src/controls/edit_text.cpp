#include "controls/edit_text.h"

#include "data/text_encoding.h"
#include "platform/messages.h"

namespace kestrelle {

uint8_t Cp1252Upper(uint8_t byte) {
  if (byte >= 'a' && byte <= 'z') return static_cast<uint8_t>(byte - 0x20);
  // à .. þ except ÷ map to À .. Þ.
  if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7) return static_cast<uint8_t>(byte - 0x20);
  switch (byte) {
    case 0x9A:
      return 0x8A;  // š
    case 0x9C:
      return 0x8C;  // œ
    case 0x9E:
      return 0x8E;  // ž
    case 0xFF:
      return 0x9F;  // ÿ
    default:
      return byte;
  }
}

std::string TEditText::ValueUtf8() const { return CodePointsToUtf8(value_); }

void TEditText::Load(const std::string& utf8) {
  value_ = Utf8ToCodePoints(utf8);
  caret_ = Length();
}

void TEditText::SetValue(const std::string& utf8) {
  value_ = Utf8ToCodePoints(utf8);
  if (caret_ > Length()) caret_ = 0;
}

bool TEditText::KeyDown(uintptr_t key) {
  switch (key) {
    case VK_END:
      caret_ = Length();
      return true;
    case VK_HOME:
      caret_ = 0;
      return true;
    case VK_LEFT:
      if (caret_ > 0) --caret_;
      return true;
    case VK_RIGHT:
      if (caret_ < Length()) ++caret_;
      return true;
    default:
      return false;
  }
}

bool TEditText::TypeChar(uintptr_t byte, bool canInsert, const GlyphTest& hasGlyph) {
  if (byte == VK_BACK) {
    if (caret_ <= 0) return false;
    value_.erase(static_cast<size_t>(caret_ - 1), 1);
    --caret_;
    return true;
  }
  if (!canInsert || Length() >= max_ || byte > 0xFF) return false;
  auto code = static_cast<uint8_t>(byte);
  if (capitalize_) code = Cp1252Upper(code);
  char32_t cp = Cp1252ToCodePoint(code);
  if (hasGlyph && !hasGlyph(cp)) return false;
  value_.insert(static_cast<size_t>(caret_), 1, cp);
  ++caret_;
  return true;
}

}  // namespace kestrelle
