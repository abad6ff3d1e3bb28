#include "data/expr_words.h"

#include <limits>
#include <string_view>

#include "data/expr_errors.h"

namespace kestrelle::expr {

TGeneratedVariable::TGeneratedVariable(std::string name)
    : TExprWord(std::move(name), nullptr), value_(std::numeric_limits<float>::quiet_NaN()) {}

TFunction::TFunction(std::string name, std::string description, int argCount, Routine routine, bool isOperator,
                     int priority)
    : TExprWord(std::move(name), routine), argCount_(argCount), isOperator_(isOperator), priority_(priority) {
  if (argCount > EvalNode::kMaxArgs) throw TExprParserError("Too many arguments");
  SetDescription(std::move(description));
}

TBoundStringFunction::TBoundStringFunction(const TSimpleStringFunction& function, std::string first,
                                           std::unique_ptr<std::string> second)
    : TExprWord(function.Name(), &TBoundStringFunction::Run),
      stringRoutine_(function.GetStringRoutine()),
      first_(std::move(first)),
      second_(std::move(second)) {}

double TBoundStringFunction::Run(EvalNode& node) {
  auto* self = static_cast<TBoundStringFunction*>(node.word);
  return self->stringRoutine_ ? self->stringRoutine_(self->first_, self->second_.get()) : 0.0;
}

TLogicalStringOper::TLogicalStringOper(std::string oper, std::string left, std::string right)
    : TExprWord(oper, &TLogicalStringOper::Run),
      oper_(std::move(oper)),
      left_(std::move(left)),
      right_(std::move(right)) {}

bool TLogicalStringOper::IsComparison(const std::string& oper) {
  return oper == "=" || oper == ">" || oper == "<" || oper == ">=" || oper == "<=" || oper == "<>" || oper == "in";
}

double TLogicalStringOper::Run(EvalNode& node) {
  auto* self = static_cast<TLogicalStringOper*>(node.word);
  const std::string& a = self->left_;
  const std::string& b = self->right_;
  const std::string& op = self->oper_;
  int c = a.compare(b);  // bytes, unsigned
  if (op == "=") return c == 0;
  if (op == "<>") return c != 0;
  if (op == ">") return c > 0;
  if (op == "<") return c < 0;
  if (op == ">=") return c >= 0;
  if (op == "<=") return c <= 0;
  // "in": membership in the comma-separated items of the right string.
  std::string_view rest = b;
  while (true) {
    size_t comma = rest.find(',');
    if (rest.substr(0, comma) == a) return 1.0;
    if (comma == std::string_view::npos) return 0.0;
    rest.remove_prefix(comma + 1);
  }
}

}  // namespace kestrelle::expr
