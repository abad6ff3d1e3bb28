#include "data/expr_tokenizer.h"

#include <cerrno>
#include <cfloat>
#include <charconv>
#include <cmath>

#include "data/expr_errors.h"

namespace kestrelle::expr {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsIdentChar(char c) { return IsLetter(c) || IsDigit(c) || c == '_'; }
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return c - 'A' + 10;
}

float LiteralValue(double value) {
  if (std::fabs(value) > static_cast<double>(FLT_MAX)) ThrowArithmetic(ExprArithmeticKind::Overflow);
  return static_cast<float>(value);
}

[[noreturn]] void NotANumber(const std::string& text) {
  throw TExprConvertError("'" + text + "' is not a valid floating point value");
}

// The number text with the parser's decimal separator read as a point.
double ConvertNumber(const std::string& text, char decimalSeparator) {
  std::string dotted = text;
  for (char& c : dotted)
    if (c == decimalSeparator) c = '.';
  if (dotted.empty() || dotted == ".") NotANumber(text);
  double value = 0;
  const char* first = dotted.data();
  const char* last = first + dotted.size();
  auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (end != last) NotANumber(text);
  if (ec == std::errc::result_out_of_range) {
    // Too small reads as zero; too large is no number the program can hold.
    size_t e = dotted.find('e');
    if (e != std::string::npos && e + 1 < dotted.size() && dotted[e + 1] == '-') return 0.0;
    NotANumber(text);
  }
  if (ec != std::errc()) NotANumber(text);
  return value;
}

}  // namespace

std::vector<ExprToken> Tokenize(std::string_view text, const TokenizerContext& context) {
  std::vector<ExprToken> tokens;
  const char dec = context.decimalSeparator;
  size_t i = 0;
  const size_t n = text.size();
  auto at = [&](size_t k) { return k < n ? text[k] : '\0'; };

  auto addLiteral = [&](std::unique_ptr<TExprWord> word, std::string written, bool numeric, bool hasDecimal) {
    ExprToken token{word.get(), std::move(written), numeric, hasDecimal};
    context.literals->push_back(std::move(word));
    tokens.push_back(std::move(token));
  };
  auto addWord = [&](std::string name) {
    TExprWord* word = context.wordFor(name);
    tokens.push_back(ExprToken{word, std::move(name), false, false});
  };

  while (i < n) {
    char c = text[i];
    if (IsBlank(c)) {
      ++i;
      continue;
    }
    size_t start = i;
    if (c == '$' && IsHexDigit(at(i + 1))) {
      double value = 0;
      ++i;
      while (i < n && IsHexDigit(text[i])) value = value * 16.0 + HexValue(text[i++]);
      std::string written(text.substr(start, i - start));
      addLiteral(std::make_unique<TFloatTypeConstant>(written, LiteralValue(value)), written, true, false);
    } else if (IsDigit(c) || c == dec) {
      bool hasDecimal = false;
      while (i < n && IsDigit(text[i])) ++i;
      if (at(i) == dec) {
        hasDecimal = true;
        ++i;
        while (i < n && IsDigit(text[i])) ++i;
      }
      if (at(i) == 'e' || at(i) == 'E') {
        ++i;
        if (at(i) == '+' || at(i) == '-') ++i;
        while (i < n && IsDigit(text[i])) ++i;
      }
      std::string written(text.substr(start, i - start));
      double value = ConvertNumber(written, dec);
      addLiteral(std::make_unique<TFloatTypeConstant>(written, LiteralValue(value)), written, true, hasDecimal);
    } else if (c == '\'') {
      size_t close = text.find('\'', i + 1);
      size_t end = close == std::string_view::npos ? n : close;
      std::string body(text.substr(i + 1, end - i - 1));
      i = close == std::string_view::npos ? n : close + 1;
      addLiteral(std::make_unique<TStringConstant>(body), body, false, false);
    } else if (IsLetter(c) || c == '_' || c == '$') {
      ++i;
      while (i < n && IsIdentChar(text[i])) ++i;
      addWord(std::string(text.substr(start, i - start)));
    } else {
      char next = at(i + 1);
      bool pair = ((c == '!' || c == ':') && next == '=') || (c == '&' && next == '&') || (c == '|' && next == '|') ||
                  ((c == '<' || c == '>' || c == '=') && (next == '<' || next == '=' || next == '>')) ||
                  (c == '+' && next == '+') || (c == '-' && next == '-');
      i += pair ? 2 : 1;
      addWord(std::string(text.substr(start, i - start)));
    }
  }
  return tokens;
}

}  // namespace kestrelle::expr
