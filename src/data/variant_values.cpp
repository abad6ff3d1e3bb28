#include "data/variant_values.h"

#include <cmath>

#include "data/numbers.h"
#include "data/text_encoding.h"

namespace kestrelle {

bool VariantToInt(const Variant& value, int64_t& out) {
  if (value.IsInteger() || value.IsBool()) {
    out = value.ToInt();
    return true;
  }
  // Reals become whole numbers as pixels do: to the nearest, halves to even.
  if (value.IsReal()) {
    out = RoundHalfEven(value.ToDouble());
    return true;
  }
  if (!value.IsString()) return false;
  const std::string text = value.ToString();
  if (ParseInt(text, out)) return true;
  double real = 0;
  if (ParseRealDot(text, real) && std::isfinite(real)) {
    out = RoundHalfEven(real);
    return true;
  }
  return false;
}

bool VariantToReal(const Variant& value, double& out) {
  if (value.IsNumber()) {
    out = value.ToDouble();
    return true;
  }
  if (!value.IsString()) return false;
  double real = 0;
  if (!ParseRealDot(value.ToString(), real)) return false;
  out = real;
  return true;
}

bool VariantToBool(const Variant& value, bool& out) {
  if (value.IsNumber()) {
    out = value.ToBool();
    return true;
  }
  if (!value.IsString()) return false;
  const std::string text = AsciiLower(value.ToString());
  if (text == "yes" || text == "true") {
    out = true;
    return true;
  }
  if (text == "no" || text == "false") {
    out = false;
    return true;
  }
  int64_t number = 0;
  if (ParseInt(text, number)) {
    out = number != 0;
    return true;
  }
  return false;
}

bool VariantToColor(const Variant& value, uint32_t& out) {
  int64_t number = 0;
  if (value.IsNumber()) {
    number = value.ToInt();
  } else if (!value.IsString() || !ParseIntOrHex(value.ToString(), number)) {
    return false;
  }
  // As the data files read them: 32-bit patterns ("-1" is opaque white); wider values are not colours.
  if (number < INT32_MIN || number > static_cast<int64_t>(UINT32_MAX)) return false;
  out = static_cast<uint32_t>(number);
  return true;
}

std::string FindPairValue(const std::string& pairs, const std::string& key, bool& found) {
  // The text "\" + key + "=" marks the pair; its value runs up to the next "\".
  found = false;
  const std::string marker = "\\" + key + "=";
  size_t at = pairs.find(marker);
  if (at == std::string::npos) return {};
  found = true;
  size_t begin = at + marker.size();
  size_t end = pairs.find('\\', begin);
  return pairs.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

}  // namespace kestrelle
