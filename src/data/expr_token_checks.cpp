#include "data/expr_token_checks.h"

#include <string>

#include "data/expr_errors.h"

namespace kestrelle::expr {

namespace {

bool Is(const ExprToken& t, WordKind kind) { return t.word && t.word->Kind() == kind; }
bool IsValue(const ExprToken& t) { return t.word && t.word->IsValueWord(); }
bool IsOperator(const ExprToken& t) { return t.word && t.word->IsOperator(); }
bool IsBinaryOperator(const ExprToken& t) { return IsOperator(t) && t.word->ArgCount() == 2; }
bool IsSign(const ExprToken& t) { return IsBinaryOperator(t) && (t.word->Name() == "-" || t.word->Name() == "+"); }
bool IsNot(const ExprToken& t) { return IsOperator(t) && t.word->Name() == "not"; }
bool IsString(const ExprToken& t) { return t.word && t.word->Type() == WordType::String && Is(t, WordKind::Literal); }
const std::string& StringOf(const ExprToken& t) { return static_cast<TStringConstant*>(t.word)->Text(); }

void CheckBrackets(const std::vector<ExprToken>& tokens) {
  int open = 0, close = 0;
  for (const auto& t : tokens) {
    if (Is(t, WordKind::LeftBracket)) ++open;
    if (Is(t, WordKind::RightBracket)) ++close;
  }
  if (open != close) ThrowExprError("Unequal brackets");
}

// A run of unary signs becomes one unary minus (odd number of "-") or plus.
void CollapseSigns(std::vector<ExprToken>& tokens, const RewriteContext& context) {
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (!IsSign(tokens[i])) continue;
    bool unary = i == 0 || Is(tokens[i - 1], WordKind::LeftBracket) || Is(tokens[i - 1], WordKind::Separator) ||
                 IsBinaryOperator(tokens[i - 1]);
    if (!unary) continue;
    size_t end = i;
    int minus = 0;
    while (end < tokens.size() && IsSign(tokens[end])) minus += tokens[end++].word->Name() == "-";
    ExprToken sign = tokens[i];
    sign.word = (minus % 2) ? context.unaryMinus : context.unaryPlus;
    tokens.erase(tokens.begin() + i + 1, tokens.begin() + end);
    tokens[i] = sign;
  }
}

// A run of n "not" at the start, after "(" or after an operator: one "not" when n is odd.
void CollapseNots(std::vector<ExprToken>& tokens) {
  size_t i = 0;
  while (i < tokens.size()) {
    bool placed = i == 0 || Is(tokens[i - 1], WordKind::LeftBracket) || IsOperator(tokens[i - 1]);
    if (IsNot(tokens[i]) && placed) {
      size_t end = i;
      while (end < tokens.size() && IsNot(tokens[end])) ++end;
      size_t count = end - i;
      tokens.erase(tokens.begin() + i + (count % 2), tokens.begin() + end);
      if (count % 2 == 0) continue;  // what followed the run is now at i
    }
    ++i;
  }
}

void CheckNeighbours(const std::vector<ExprToken>& tokens) {
  for (size_t i = 0; i < tokens.size(); ++i) {
    const ExprToken& cur = tokens[i];
    const ExprToken* next = i + 1 < tokens.size() ? &tokens[i + 1] : nullptr;
    if (IsValue(cur) && next && IsValue(*next))
      ThrowExprError(std::string(kExprPrefix) + cur.text + " two space limited variables/constants");
    if (Is(cur, WordKind::Generated) && next && Is(*next, WordKind::LeftBracket))
      ThrowExprError(std::string(kExprPrefix) + cur.text + " is an unknown function");
    if (Is(cur, WordKind::LeftBracket) && (!next || Is(*next, WordKind::RightBracket)))
      ThrowExprError(std::string(kExprPrefix) + "Empty brackets ()");
    if (Is(cur, WordKind::RightBracket) && next && Is(*next, WordKind::LeftBracket))
      ThrowExprError(std::string(kExprPrefix) + "Missing operand between )(");
    if (Is(cur, WordKind::RightBracket) && next && IsValue(*next))
      ThrowExprError(std::string(kExprPrefix) + "Missing operand between ) and constant/variable");
    if (IsValue(cur) && next && Is(*next, WordKind::LeftBracket))
      ThrowExprError(std::string(kExprPrefix) + "Missing operand between constant/variable and (");
  }
}

void MarkIntegerPowers(std::vector<ExprToken>& tokens, const RewriteContext& context) {
  for (size_t i = 0; i + 1 < tokens.size(); ++i) {
    const ExprToken& next = tokens[i + 1];
    if (IsBinaryOperator(tokens[i]) && tokens[i].word->Name() == "^" && next.numericLiteral && !next.hasDecimal)
      tokens[i].word = context.integerPower;
  }
}

void Replace(std::vector<ExprToken>& tokens, size_t first, size_t last, std::unique_ptr<TExprWord> word,
             const RewriteContext& context) {
  ExprToken bound{word.get(), word->Name(), false, false};
  context.owned->push_back(std::move(word));
  tokens.erase(tokens.begin() + first + 1, tokens.begin() + last + 1);
  tokens[first] = std::move(bound);
}

// Right to left: string functions applied to literals, and comparisons of two literals.
void BindStrings(std::vector<ExprToken>& tokens, const RewriteContext& context) {
  for (size_t k = tokens.size(); k-- > 0;) {
    if (!IsString(tokens[k])) continue;
    bool closed = k + 1 < tokens.size() && Is(tokens[k + 1], WordKind::RightBracket);
    if (closed && k >= 4 && Is(tokens[k - 1], WordKind::Separator) && IsString(tokens[k - 2]) &&
        Is(tokens[k - 3], WordKind::LeftBracket) && Is(tokens[k - 4], WordKind::StringFunction)) {
      auto* function = static_cast<TSimpleStringFunction*>(tokens[k - 4].word);
      auto word = std::make_unique<TBoundStringFunction>(*function, StringOf(tokens[k - 2]),
                                                         std::make_unique<std::string>(StringOf(tokens[k])));
      Replace(tokens, k - 4, k + 1, std::move(word), context);
      k -= 4;
    } else if (closed && k >= 2 && Is(tokens[k - 1], WordKind::LeftBracket) &&
               Is(tokens[k - 2], WordKind::StringFunction)) {
      auto* function = static_cast<TSimpleStringFunction*>(tokens[k - 2].word);
      auto word = std::make_unique<TBoundStringFunction>(*function, StringOf(tokens[k]), nullptr);
      Replace(tokens, k - 2, k + 1, std::move(word), context);
      k -= 2;
    } else if (k >= 2 && IsString(tokens[k - 2])) {
      const std::string& oper = tokens[k - 1].word ? tokens[k - 1].word->Name() : tokens[k - 1].text;
      if (!TLogicalStringOper::IsComparison(oper)) ThrowExprError(oper + " is not a valid string operand");
      auto word = std::make_unique<TLogicalStringOper>(oper, StringOf(tokens[k - 2]), StringOf(tokens[k]));
      Replace(tokens, k - 2, k, std::move(word), context);
      k -= 2;
    }
  }
}

}  // namespace

void CheckAndRewriteTokens(std::vector<ExprToken>& tokens, const RewriteContext& context) {
  CheckBrackets(tokens);
  CollapseSigns(tokens, context);
  CollapseNots(tokens);
  CheckNeighbours(tokens);
  MarkIntegerPowers(tokens, context);
  BindStrings(tokens, context);
}

}  // namespace kestrelle::expr
