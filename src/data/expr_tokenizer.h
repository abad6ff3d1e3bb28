#pragma once
// Splits the (lower-cased, trimmed) text of one expression into tokens bound to words.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/expr_words.h"

namespace kestrelle::expr {

struct ExprToken {
  TExprWord* word = nullptr;
  std::string text;             // as written
  bool numericLiteral = false;  // a number or hexadecimal literal
  bool hasDecimal = false;      // a number written with the decimal separator
};

struct TokenizerContext {
  char decimalSeparator = '.';
  // The word of that (lower-case) name; a name that is no word becomes a generated variable.
  std::function<TExprWord*(const std::string&)> wordFor;
  // Literals made while tokenizing belong to the compiled expression.
  std::vector<std::unique_ptr<TExprWord>>* literals = nullptr;
};

// Raises TExprConvertError for a malformed number ("2e") and TExprArithmeticError for a number
// beyond the single range.
std::vector<ExprToken> Tokenize(std::string_view text, const TokenizerContext& context);

}  // namespace kestrelle::expr
