#include "data/expr_errors.h"

namespace kestrelle {

namespace {
const char* ArithmeticText(ExprArithmeticKind kind) {
  switch (kind) {
    case ExprArithmeticKind::ZeroDivide:
      return "Floating point division by zero";
    case ExprArithmeticKind::InvalidOp:
      return "Invalid floating point operation";
    case ExprArithmeticKind::Overflow:
      return "Floating point overflow";
    case ExprArithmeticKind::IntDivByZero:
      return "Division by zero";
  }
  return "Arithmetic error";
}
}  // namespace

TExprArithmeticError::TExprArithmeticError(ExprArithmeticKind kind)
    : std::runtime_error(ArithmeticText(kind)), kind_(kind) {}

void ThrowExprError(const std::string& text) { throw TExprParserError(text); }
void ThrowArithmetic(ExprArithmeticKind kind) { throw TExprArithmeticError(kind); }

}  // namespace kestrelle
