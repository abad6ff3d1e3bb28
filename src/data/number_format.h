#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace kestrelle {

// Digits in groups of three joined by the language's "%thousand_separator%" text.
std::string FormatThousands(int64_t value);
// Where FormatThousands takes its separator from (the language table installs itself here).
void SetThousandsSeparatorSource(std::function<std::string()> source);

// "." is the decimal point whatever the C locale; empty or malformed text gives `fallback`.
double StrToFloatDot(std::string_view text, double fallback);

}  // namespace kestrelle
