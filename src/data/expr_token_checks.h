#pragma once
// The checks and rewrites between tokenizing and tree building: bracket balance, unary signs,
// runs of "not", adjacency errors, integer powers and the binding of string literals.

#include <memory>
#include <vector>

#include "data/expr_tokenizer.h"

namespace kestrelle::expr {

struct RewriteContext {
  TExprWord* unaryMinus = nullptr;
  TExprWord* unaryPlus = nullptr;
  TExprWord* integerPower = nullptr;
  // Words made by the rewrites belong to the compiled expression.
  std::vector<std::unique_ptr<TExprWord>>* owned = nullptr;
};

// Raises TExprParserError with the texts of the language.
void CheckAndRewriteTokens(std::vector<ExprToken>& tokens, const RewriteContext& context);

}  // namespace kestrelle::expr
