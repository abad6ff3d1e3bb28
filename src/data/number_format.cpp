#include "data/number_format.h"

#include <cmath>

#include "data/numbers.h"

namespace kestrelle {

namespace {
std::function<std::string()>& SeparatorSource() {
  static std::function<std::string()> source;
  return source;
}
}  // namespace

std::string FormatThousands(int64_t value) {
  // Magnitude in unsigned arithmetic, so the most negative value has one too.
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  std::string digits = std::to_string(magnitude);
  std::string separator = SeparatorSource() ? SeparatorSource()() : std::string();
  std::string out;
  if (value < 0) out += '-';
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
    out += digits[i];
  }
  return out;
}

void SetThousandsSeparatorSource(std::function<std::string()> source) { SeparatorSource() = std::move(source); }

double StrToFloatDot(std::string_view text, double fallback) {
  if (text.empty()) return fallback;
  double value = 0;
  // "nan" and "inf" convert, but are no number data can mean.
  return ParseRealDot(text, value) && std::isfinite(value) ? value : fallback;
}

}  // namespace kestrelle
