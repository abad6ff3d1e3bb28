#include "data/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace kestrelle {

namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

bool ParseUnsignedIn(std::string_view digits, int base, bool negative, int64_t& out) {
  if (digits.empty()) return false;
  uint64_t magnitude = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
  if (ec != std::errc() || end != digits.data() + digits.size()) return false;
  if (negative) {
    if (magnitude > static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + 1) return false;
    out = static_cast<int64_t>(0 - magnitude);
  } else {
    if (base == 10 && magnitude > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) return false;
    out = static_cast<int64_t>(magnitude);  // hexadecimal may name the full 64-bit pattern
  }
  return true;
}

}  // namespace

int64_t RoundHalfEven(double value) { return RealToInt(std::nearbyint(value)); }

int64_t RealToInt(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kMax = 9223372036854775807.0;
  if (value >= kMax) return std::numeric_limits<int64_t>::max();
  if (value <= -kMax) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(value);
}

bool ParseInt(std::string_view text, int64_t& out) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  return ParseUnsignedIn(text, 10, negative, out);
}

bool ParseIntOrHex(std::string_view text, int64_t& out) {
  std::string_view t = TrimBlanks(text);
  bool negative = false;
  if (!t.empty() && (t.front() == '-' || t.front() == '+')) {
    negative = t.front() == '-';
    t.remove_prefix(1);
  }
  if (!t.empty() && (t.front() == '$' || t.front() == 'x' || t.front() == 'X'))
    return ParseUnsignedIn(t.substr(1), 16, negative, out);
  if (t.size() > 1 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) return ParseUnsignedIn(t.substr(2), 16, negative, out);
  return ParseUnsignedIn(t, 10, negative, out);
}

bool ParseRealDot(std::string_view text, double& out) {
  text = TrimBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (ec != std::errc() || end != text.data() + text.size()) return false;
  out = value;
  return true;
}

std::string FormatReal(double value) {
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (ec != std::errc()) return "0";
  return std::string(buffer, end);
}

std::string FormatReal15(double value) {
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  if (ec != std::errc()) return "0";
  return std::string(buffer, end);
}

}  // namespace kestrelle
