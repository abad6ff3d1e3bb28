#pragma once
// The errors of the expression compiler and evaluator. Compilation raises TExprParserError with
// the texts data developers see; evaluation raises TExprArithmeticError where the hardware would
// have trapped (C++ arithmetic gives inf and NaN silently, so the evaluator checks explicitly).

#include <stdexcept>
#include <string>

namespace kestrelle {

class TExprParserError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A numeric literal that does not read as a number ("2e").
class TExprConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class ExprArithmeticKind { ZeroDivide, InvalidOp, Overflow, IntDivByZero };

class TExprArithmeticError : public std::runtime_error {
 public:
  explicit TExprArithmeticError(ExprArithmeticKind kind);
  ExprArithmeticKind Kind() const { return kind_; }

 private:
  ExprArithmeticKind kind_;
};

inline constexpr const char* kExprPrefix = "Error in math expression: ";

[[noreturn]] void ThrowExprError(const std::string& text);
[[noreturn]] void ThrowArithmetic(ExprArithmeticKind kind);

}  // namespace kestrelle
