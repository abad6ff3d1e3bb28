#pragma once
// Conversions between UTF-8 (the program's text everywhere), windows-1252 (the "ANSI code page"
// of the data and of typed characters) and UTF-16 (text positions count in UTF-16 units).

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrelle {

// Code point of a windows-1252 byte; the five unassigned bytes map to themselves (C1 controls).
char32_t Cp1252ToCodePoint(uint8_t byte);
// windows-1252 byte for a code point, or -1 when the code page has none.
int CodePointToCp1252(char32_t cp);

std::string Cp1252ToUtf8(std::string_view bytes);
// Characters without a windows-1252 byte become '?'.
std::string Utf8ToCp1252(std::string_view utf8);

// Decodes one code point at `pos` and advances it. Malformed sequences yield U+FFFD and
// advance by one byte, so a loop over any bytes always ends.
char32_t DecodeUtf8(std::string_view text, size_t& pos);
void AppendUtf8(std::string& out, char32_t cp);
std::u32string Utf8ToCodePoints(std::string_view utf8);
std::string CodePointsToUtf8(std::u32string_view cps);

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// ASCII-only case folding, as keys and names compare.
std::string AsciiUpper(std::string_view text);
std::string AsciiLower(std::string_view text);
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);
// <0, 0, >0 comparing with ASCII letters upper-cased.
int CompareIgnoreAsciiCase(std::string_view a, std::string_view b);

}  // namespace kestrelle
