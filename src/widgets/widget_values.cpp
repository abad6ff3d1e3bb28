#include "widgets/widget_values.h"

#include <cmath>

#include "data/numbers.h"
#include "data/text_encoding.h"

namespace kestrelle {

bool VariantToInt(const Variant& value, int64_t& out) {
  if (value.IsInteger() || value.IsBool() || value.IsReal()) {
    out = value.ToInt();
    return true;
  }
  if (!value.IsString()) return false;
  const std::string text = value.ToString();
  if (ParseInt(text, out)) return true;
  double real = 0;
  if (ParseRealDot(text, real) && std::isfinite(real)) {
    out = RealToInt(real);
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
  if (value.IsNumber()) {
    out = static_cast<uint32_t>(value.ToInt());
    return true;
  }
  if (!value.IsString()) return false;
  std::string text = value.ToString();
  size_t start = 0;
  if (!text.empty() && text[0] == '$')
    start = 1;
  else if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    start = 2;
  if (start >= text.size() || text.size() - start > 8) return false;
  uint32_t result = 0;
  for (size_t i = start; i < text.size(); ++i) {
    char c = text[i];
    uint32_t digit;
    if (c >= '0' && c <= '9')
      digit = static_cast<uint32_t>(c - '0');
    else if (c >= 'a' && c <= 'f')
      digit = static_cast<uint32_t>(c - 'a' + 10);
    else if (c >= 'A' && c <= 'F')
      digit = static_cast<uint32_t>(c - 'A' + 10);
    else
      return false;
    result = (result << 4) | digit;
  }
  out = result;
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
