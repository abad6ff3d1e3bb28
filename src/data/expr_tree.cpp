#include "data/expr_tree.h"

#include <algorithm>

#include "data/expr_errors.h"
#include "data/expr_standard_words.h"
#include "data/numbers.h"

namespace kestrelle::expr {

namespace {

bool Is(const ExprToken& t, WordKind kind) { return t.word && t.word->Kind() == kind; }

class TreeBuilder {
 public:
  TreeBuilder(const std::vector<ExprToken>& tokens, const std::string& expression)
      : tokens_(tokens), expression_(expression), matching_(tokens.size(), tokens.size()) {
    std::vector<size_t> open;
    for (size_t i = 0; i < tokens.size(); ++i) {
      if (Is(tokens[i], WordKind::LeftBracket)) open.push_back(i);
      if (Is(tokens[i], WordKind::RightBracket) && !open.empty()) {
        matching_[open.back()] = i;
        open.pop_back();
      }
    }
  }

  std::unique_ptr<ExprTreeNode> Build(size_t lo, size_t hi) {
    struct Depth {
      int& depth;
      explicit Depth(int& d) : depth(d) {
        if (++depth > kMaxExprDepth) ThrowExprError(kExprTooComplex);
      }
      ~Depth() { --depth; }
    } guard(depth_);
    StripEnclosingBrackets(lo, hi);
    if (hi <= lo) SyntaxError();
    if (hi - lo == 1) return Leaf(tokens_[lo]);

    size_t first = FirstWordWithArguments(lo, hi);
    auto node = std::make_unique<ExprTreeNode>();
    node->word = tokens_[first].word;
    size_t pos;
    if (!node->word->IsOperator()) {
      if (first != lo) SyntaxError();
      pos = FunctionArguments(*node, first, hi);
    } else {
      if (first > lo) AddArg(*node, Build(lo, first));
      pos = OperatorArgument(*node, first + 1, hi);
    }
    // The node so far becomes the first argument of the operator that stopped the scan.
    while (pos < hi) {
      const ExprToken& next = tokens_[pos];
      if (!next.word || !next.word->IsOperator()) SyntaxError();
      auto outer = std::make_unique<ExprTreeNode>();
      outer->word = next.word;
      AddArg(*outer, std::move(node));
      node = std::move(outer);
      pos = OperatorArgument(*node, pos + 1, hi);
    }
    return node;
  }

  [[noreturn]] void SyntaxError() const {
    ThrowExprError(std::string(kExprPrefix) + "Syntax error in expression " + expression_);
  }

 private:
  static void AddArg(ExprTreeNode& node, std::unique_ptr<ExprTreeNode> arg) {
    node.height = std::max(node.height, arg->height + 1);
    if (node.height > kMaxExprDepth) ThrowExprError(kExprTooComplex);
    node.args.push_back(std::move(arg));
  }

  std::unique_ptr<ExprTreeNode> Leaf(const ExprToken& token) {
    auto node = std::make_unique<ExprTreeNode>();
    node->word = token.word;
    return node;
  }

  // Index of the bracket closing the one at `open`, or `hi` when there is none (or beyond).
  size_t Matching(size_t open, size_t hi) const {
    size_t close = matching_[open];
    return close < hi ? close : hi;
  }

  void StripEnclosingBrackets(size_t& lo, size_t& hi) const {
    while (hi - lo >= 2 && Is(tokens_[lo], WordKind::LeftBracket) && Matching(lo, hi) == hi - 1) {
      ++lo;
      --hi;
    }
  }

  size_t FirstWordWithArguments(size_t lo, size_t hi) const {
    int depth = 0;
    for (size_t i = lo; i < hi; ++i) {
      const ExprToken& t = tokens_[i];
      if (Is(t, WordKind::LeftBracket)) ++depth;
      if (Is(t, WordKind::RightBracket) && --depth < 0) SyntaxError();
      if (depth == 0 && t.word && t.word->Kind() == WordKind::Function && t.word->ArgCount() > 0) return i;
    }
    SyntaxError();
  }

  // The bracketed list after a function, split at its separators; returns the index after it.
  size_t FunctionArguments(ExprTreeNode& node, size_t at, size_t hi) {
    size_t open = at + 1;
    if (open >= hi || !Is(tokens_[open], WordKind::LeftBracket)) return open;  // too few arguments
    size_t close = Matching(open, hi);
    if (close >= hi) SyntaxError();
    size_t start = open + 1;
    int depth = 0;
    std::vector<std::pair<size_t, size_t>> parts;
    for (size_t i = start; i < close; ++i) {
      if (Is(tokens_[i], WordKind::LeftBracket)) ++depth;
      if (Is(tokens_[i], WordKind::RightBracket)) --depth;
      if (depth == 0 && Is(tokens_[i], WordKind::Separator)) {
        parts.emplace_back(start, i);
        start = i + 1;
      }
    }
    parts.emplace_back(start, close);
    if (static_cast<int>(parts.size()) > node.word->ArgCount()) SyntaxError();
    for (auto [a, b] : parts) {
      if (a == b) break;  // an empty argument: too few arguments
      AddArg(node, Build(a, b));
    }
    return close + 1;
  }

  // The next argument of an operator: the tokens up to the next depth-0 operator whose priority
  // number is not lower than its own. Returns the index of that operator (or `hi`).
  size_t OperatorArgument(ExprTreeNode& node, size_t from, size_t hi) {
    if (static_cast<int>(node.args.size()) >= node.word->ArgCount()) return from;
    int priority = node.word->Priority();
    int depth = 0;
    size_t i = from;
    for (; i < hi; ++i) {
      const ExprToken& t = tokens_[i];
      if (Is(t, WordKind::LeftBracket)) ++depth;
      if (Is(t, WordKind::RightBracket)) --depth;
      if (depth == 0 && t.word && t.word->IsOperator() && t.word->Priority() >= priority) break;
    }
    if (i > from) AddArg(node, Build(from, i));
    return i;
  }

  const std::vector<ExprToken>& tokens_;
  const std::string& expression_;
  std::vector<size_t> matching_;  // for each "(": its ")", or the token count
  int depth_ = 0;
};

// Every node must have all its arguments; every leaf must be something that has a value.
void Validate(const ExprTreeNode& node, const TreeBuilder& builder) {
  const TExprWord* word = node.word;
  if (static_cast<int>(node.args.size()) < word->ArgCount())
    ThrowExprError(std::string(kExprPrefix) + "Syntax error: function or operand has too few arguments");
  if (node.args.empty()) {
    WordKind kind = word->Kind();
    bool evaluable =
        word->IsValueWord() || kind == WordKind::BoundString || (kind == WordKind::Function && word->GetRoutine());
    if (!evaluable) builder.SyntaxError();
  }
  for (const auto& arg : node.args) Validate(*arg, builder);
}

bool IsFixedValue(const ExprTreeNode& node) {
  return node.args.empty() && node.word->IsValueWord() && !node.word->IsVarying();
}

size_t CountNodes(const ExprTreeNode& node) {
  if (node.args.empty() && node.word->ValueAddress()) return 0;
  size_t count = 1;
  for (const auto& arg : node.args) count += CountNodes(*arg);
  return count;
}

float* LayOutNode(const ExprTreeNode& node, std::vector<EvalNode>& nodes) {
  if (node.args.empty() && node.word->ValueAddress()) return node.word->ValueAddress();
  EvalNode eval;
  eval.routine = node.word->GetRoutine();
  eval.word = node.word;
  eval.argCount = static_cast<int>(node.args.size());
  for (int i = 0; i < eval.argCount; ++i) eval.args[i] = LayOutNode(*node.args[i], nodes);
  nodes.push_back(eval);
  return &nodes.back().result;
}

}  // namespace

std::unique_ptr<ExprTreeNode> BuildExprTree(const std::vector<ExprToken>& tokens, const std::string& expression) {
  if (tokens.size() > kMaxExprTokens) ThrowExprError(kExprTooComplex);
  TreeBuilder builder(tokens, expression);
  auto root = builder.Build(0, tokens.size());
  Validate(*root, builder);
  return root;
}

void FoldConstants(std::unique_ptr<ExprTreeNode>& node, std::vector<std::unique_ptr<TExprWord>>& owned) {
  if (node->args.empty() && node->word->ValueAddress()) return;
  for (auto& arg : node->args) FoldConstants(arg, owned);
  if (node->word->IsVarying()) return;
  for (const auto& arg : node->args)
    if (!IsFixedValue(*arg)) return;
  EvalNode eval;
  eval.routine = node->word->GetRoutine();
  eval.word = node->word;
  eval.argCount = static_cast<int>(node->args.size());
  for (int i = 0; i < eval.argCount; ++i) eval.args[i] = node->args[i]->word->ValueAddress();
  float value = StoreResult(eval.routine(eval), eval);
  std::unique_ptr<TExprWord> constant;
  if (node->word->Type() == WordType::Boolean)
    constant = std::make_unique<TBooleanConstant>(FormatReal(value), value);
  else
    constant = std::make_unique<TFloatTypeConstant>(FormatReal(value), value);
  auto leaf = std::make_unique<ExprTreeNode>();
  leaf->word = constant.get();
  owned.push_back(std::move(constant));
  node = std::move(leaf);
}

void LayOut(const ExprTreeNode& root, FlatExpression& out) {
  out.nodes.clear();
  out.nodes.reserve(CountNodes(root));
  out.result = LayOutNode(root, out.nodes);
}

}  // namespace kestrelle::expr
