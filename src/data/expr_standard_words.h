#pragma once
// The standard word table of every expression parser, and the internal words the tokenizer
// produces (unary minus and plus, integer power).

#include <memory>
#include <vector>

#include "data/expr_words.h"

namespace kestrelle::expr {

std::vector<std::unique_ptr<TExprWord>> MakeStandardWords();

struct InternalWords {
  std::unique_ptr<TFunction> unaryMinus;
  std::unique_ptr<TFunction> unaryPlus;
  std::unique_ptr<TFunction> integerPower;
};
InternalWords MakeInternalWords();

// The checked store of a routine's double result into a single: raises the arithmetic error the
// hardware would have raised (NaN out of non-NaN inputs, infinity out of finite inputs, a finite
// value beyond the single range).
float StoreResult(double value, const EvalNode& node);

// Nearest integer, ties to even; NaN and values beyond the 64-bit range are invalid operations.
int64_t Nearest(double value);

}  // namespace kestrelle::expr
