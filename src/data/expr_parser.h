#pragma once
// Compiles small programs of arithmetic and logical expressions, one per line, into evaluation
// lists of single-precision floats, and evaluates them on demand. Variables can be bound to
// floats of the caller: write the inputs, evaluate, read what the program assigned with ":=".
// Identifiers that are no word become variables of the parser, shared by all its expressions.
//
// Compilation raises TExprParserError (and TExprConvertError for a malformed number);
// evaluation raises TExprArithmeticError where the hardware would trap.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "data/expr_errors.h"
#include "data/expr_standard_words.h"
#include "data/expr_tree.h"
#include "data/expr_words.h"

namespace kestrelle {

class TCustomExpressionParser {
 public:
  TCustomExpressionParser();
  virtual ~TCustomExpressionParser();
  TCustomExpressionParser(const TCustomExpressionParser&) = delete;
  TCustomExpressionParser& operator=(const TCustomExpressionParser&) = delete;

  // Binds `name` to the caller's float; a word of that name is replaced in every compiled
  // expression.
  void DefineVariable(const std::string& name, float* address);
  void DefineStringFunction(const std::string& name, const std::string& description, expr::StringRoutine routine);
  void DefineFunction(const std::string& name, const std::string& description, int argCount, expr::Routine routine,
                      bool varying = false);
  // Both words must take the same number of arguments.
  void ReplaceWord(expr::TExprWord* oldWord, expr::TExprWord* newWord);
  expr::TExprWord* FindWord(const std::string& name) const;

  // The index of the compiled expression; -1 for an empty text.
  int AddExpression(const std::string& text);
  // Compiles every line that is not blank and does not begin with "//"; on a failure all
  // expressions are cleared and the result is false (the error text goes to `error`).
  bool AddExpressions(const std::string& text, std::string* error = nullptr);
  // NaN for an index outside the list or an empty expression.
  float Evaluate(int index);
  // The value of the last expression after evaluating all in order; 0 when there are none.
  float EvaluateAll();
  void ClearExpressions();
  int ExpressionCount() const { return static_cast<int>(expressions_.size()); }
  const std::string& ExpressionText(int index) const;

  char DecimalSeparator() const { return decimalSeparator_; }
  char ArgumentSeparator() const { return argumentSeparator_; }
  void SetDecimalSeparator(char separator);
  void SetArgumentSeparator(char separator);
  bool Optimize() const { return optimize_; }
  void SetOptimize(bool optimize) { optimize_ = optimize; }

 protected:
  // Adds a word, replacing one of the same (case-insensitive) name.
  void AddWord(std::unique_ptr<expr::TExprWord> word);

 private:
  struct Compiled {
    std::string text;
    std::vector<std::unique_ptr<expr::TExprWord>> owned;  // literals, folded and bound words
    expr::FlatExpression flat;
  };

  expr::TExprWord* WordFor(const std::string& name);
  void RenameSeparator(char oldSeparator);

  std::map<std::string, std::unique_ptr<expr::TExprWord>> words_;  // by lower-case name
  expr::InternalWords internal_;
  std::vector<std::unique_ptr<Compiled>> expressions_;
  std::vector<std::unique_ptr<expr::TExprWord>> retired_;  // displaced words compiled code may still read
  char decimalSeparator_ = '.';
  char argumentSeparator_ = ',';
  bool optimize_ = true;
};

class TExpressionParser : public TCustomExpressionParser {
 public:
  // Defines the standard words; constant folding is on.
  TExpressionParser();
};

}  // namespace kestrelle
