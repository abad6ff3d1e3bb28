#pragma once
// Builds the tree of one expression from its checked tokens, folds constant subtrees and lays
// the tree out as evaluation nodes in post-order.
//
// The builder takes the first word with arguments at bracket depth 0. A function takes the
// bracketed list after it. An operator takes the tokens before it as its first argument and the
// tokens after it, up to the next depth-0 operator of the same or a greater priority number, as
// its next one; the node then becomes the first argument of that stopping operator. So a lower
// priority number binds tighter and equal priorities associate to the left: 2^3^2 is 64 and
// -2^2 is 4 (unary minus binds tighter than "^").

#include <memory>
#include <string>
#include <vector>

#include "data/expr_tokenizer.h"

namespace kestrelle::expr {

struct ExprTreeNode {
  TExprWord* word = nullptr;
  std::vector<std::unique_ptr<ExprTreeNode>> args;
  int height = 1;
};

// Bounds that keep hostile text from exhausting the stack or the time of a frame.
inline constexpr size_t kMaxExprTokens = 10000;
inline constexpr int kMaxExprDepth = 1000;
inline constexpr const char* kExprTooComplex = "Error in math expression: Expression too complex";

// Raises TExprParserError ("Syntax error in expression ...", "... too few arguments", and
// kExprTooComplex beyond the bounds above).
std::unique_ptr<ExprTreeNode> BuildExprTree(const std::vector<ExprToken>& tokens, const std::string& expression);

// Replaces every subtree without varying words by its value (a boolean constant for boolean
// results). Evaluation errors of such subtrees propagate.
void FoldConstants(std::unique_ptr<ExprTreeNode>& node, std::vector<std::unique_ptr<TExprWord>>& owned);

struct FlatExpression {
  std::vector<EvalNode> nodes;  // never resized after layout: nodes point at each other's results
  float* result = nullptr;
};
void LayOut(const ExprTreeNode& root, FlatExpression& out);

}  // namespace kestrelle::expr
