#pragma once
// Locale-independent number text and the integer arithmetic rules of the engine:
// "round" takes halves to even, "div" truncates toward zero, and signed values are never shifted.

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrelle {

// Halves to even, as the FPU's default rounding mode does.
int64_t RoundHalfEven(double value);
inline int32_t Round32(double value) { return static_cast<int32_t>(RoundHalfEven(value)); }

// Truncating division; a zero divisor yields 0 rather than a trap (callers that must
// report it check first).
constexpr int64_t DivTrunc(int64_t a, int64_t b) { return b == 0 ? 0 : a / b; }
constexpr int64_t ModTrunc(int64_t a, int64_t b) { return b == 0 ? 0 : a % b; }

// Real to integer with defined results for every input: NaN gives 0, out-of-range values
// saturate, the rest truncate toward zero.
int64_t RealToInt(double value);

// Decimal integer with optional sign and surrounding blanks; false when not an integer.
bool ParseInt(std::string_view text, int64_t& out);
// Integer as the data files write it: decimal, or hexadecimal after "$", "x" or "0x".
bool ParseIntOrHex(std::string_view text, int64_t& out);
// Real with "." as the decimal point whatever the C locale; surrounding blanks allowed.
bool ParseRealDot(std::string_view text, double& out);

// Shortest text that reads back to the same double, "." as the decimal point.
std::string FormatReal(double value);
// Shortest general form with at most 15 significant digits (the data files' writer).
std::string FormatReal15(double value);

}  // namespace kestrelle
