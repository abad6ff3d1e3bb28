#pragma once
// The words of the expression language: literals, constants, variables, brackets, functions
// and operators. These classes belong to the expression module alone; its TFunction has nothing
// to do with the numeric function classes of the parameter-space functions.

#include <limits>
#include <memory>
#include <string>

namespace kestrelle::expr {

class TExprWord;

// One step of a compiled expression: a routine over up to six argument values.
struct EvalNode {
  static constexpr int kMaxArgs = 6;
  double (*routine)(EvalNode& node) = nullptr;
  TExprWord* word = nullptr;
  float result = 0.0f;
  int argCount = 0;
  float* args[kMaxArgs] = {};
};
using Routine = double (*)(EvalNode& node);

// Type codes of a word's result or role.
enum class WordType { Number = 0, Boolean = 1, String = 2, LeftBracket = 3, RightBracket = 4, Separator = 5 };

// What the token checks need to know of a word.
enum class WordKind {
  Literal,    // numeric, boolean or string literal (also folded results)
  Constant,   // named constant ("pi")
  Variable,   // bound to a float of the caller
  Generated,  // made for an identifier that is not a word
  LeftBracket,
  RightBracket,
  Separator,
  Function,        // function or operator
  StringFunction,  // string function not yet bound to its strings
  BoundString,     // string function or comparison bound to string literals
};

class TExprWord {
 public:
  TExprWord(std::string name, Routine routine) : name_(std::move(name)), routine_(routine) {}
  virtual ~TExprWord() = default;
  TExprWord(const TExprWord&) = delete;
  TExprWord& operator=(const TExprWord&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  Routine GetRoutine() const { return routine_; }
  const std::string& Description() const { return description_; }
  void SetDescription(std::string text) { description_ = std::move(text); }

  virtual WordKind Kind() const = 0;
  virtual WordType Type() const { return WordType::Number; }
  virtual bool IsOperator() const { return false; }
  virtual int ArgCount() const { return 0; }
  virtual int Priority() const { return 0; }
  virtual bool IsVarying() const { return false; }
  // The float a value word stands for; null for other words.
  virtual float* ValueAddress() { return nullptr; }

  bool IsValueWord() const {
    WordKind k = Kind();
    return k == WordKind::Literal || k == WordKind::Constant || k == WordKind::Variable || k == WordKind::Generated;
  }

 private:
  std::string name_;
  Routine routine_;
  std::string description_;
};

class TFloatTypeConstant : public TExprWord {
 public:
  TFloatTypeConstant(std::string name, float value) : TExprWord(std::move(name), nullptr), value_(value) {}
  WordKind Kind() const override { return WordKind::Literal; }
  float* ValueAddress() override { return &value_; }

 private:
  float value_;
};

class TBooleanConstant : public TFloatTypeConstant {
 public:
  using TFloatTypeConstant::TFloatTypeConstant;
  WordType Type() const override { return WordType::Boolean; }
};

class TConstant : public TFloatTypeConstant {
 public:
  TConstant(std::string name, float value, std::string description) : TFloatTypeConstant(std::move(name), value) {
    SetDescription(std::move(description));
  }
  WordKind Kind() const override { return WordKind::Constant; }
};

// A quoted literal, quotes removed. As a number it is NaN.
class TStringConstant : public TExprWord {
 public:
  explicit TStringConstant(std::string text) : TExprWord(text, nullptr), text_(std::move(text)) {}
  WordKind Kind() const override { return WordKind::Literal; }
  WordType Type() const override { return WordType::String; }
  float* ValueAddress() override { return &value_; }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
  float value_ = std::numeric_limits<float>::quiet_NaN();
};

class TFloatTypeVariable : public TExprWord {
 public:
  TFloatTypeVariable(std::string name, float* address) : TExprWord(std::move(name), nullptr), address_(address) {}
  WordKind Kind() const override { return WordKind::Variable; }
  bool IsVarying() const override { return true; }
  float* ValueAddress() override { return address_; }

 private:
  float* address_;
};

// A variable made for an identifier that is no word: it holds its own float, NaN at first.
class TGeneratedVariable : public TExprWord {
 public:
  explicit TGeneratedVariable(std::string name);
  WordKind Kind() const override { return WordKind::Generated; }
  bool IsVarying() const override { return true; }
  float* ValueAddress() override { return &value_; }
  std::string& StringValue() { return stringValue_; }

 private:
  float value_;
  std::string stringValue_;
};

class TLeftBracket : public TExprWord {
 public:
  TLeftBracket() : TExprWord("(", nullptr) {}
  WordKind Kind() const override { return WordKind::LeftBracket; }
  WordType Type() const override { return WordType::LeftBracket; }
};

class TRightBracket : public TExprWord {
 public:
  TRightBracket() : TExprWord(")", nullptr) {}
  WordKind Kind() const override { return WordKind::RightBracket; }
  WordType Type() const override { return WordType::RightBracket; }
};

class TComma : public TExprWord {
 public:
  explicit TComma(std::string name) : TExprWord(std::move(name), nullptr) {}
  WordKind Kind() const override { return WordKind::Separator; }
  WordType Type() const override { return WordType::Separator; }
};

// A function (IsOperator false) or operator over float arguments. Raises "Too many arguments"
// for more than six.
class TFunction : public TExprWord {
 public:
  TFunction(std::string name, std::string description, int argCount, Routine routine, bool isOperator = false,
            int priority = 0);
  WordKind Kind() const override { return WordKind::Function; }
  bool IsOperator() const override { return isOperator_; }
  int ArgCount() const override { return argCount_; }
  int Priority() const override { return priority_; }

 private:
  int argCount_;
  bool isOperator_;
  int priority_;
};

// Never folded at compile time.
class TVaryingFunction : public TFunction {
 public:
  using TFunction::TFunction;
  bool IsVarying() const override { return true; }
};

class TBooleanFunction : public TFunction {
 public:
  using TFunction::TFunction;
  WordType Type() const override { return WordType::Boolean; }
};

// A numeric function of one or two strings ("pos"); `second` is null when only one is given.
using StringRoutine = double (*)(const std::string& first, const std::string* second);

class TSimpleStringFunction : public TExprWord {
 public:
  TSimpleStringFunction(std::string name, std::string description, StringRoutine routine)
      : TExprWord(std::move(name), nullptr), stringRoutine_(routine) {
    SetDescription(std::move(description));
  }
  WordKind Kind() const override { return WordKind::StringFunction; }
  StringRoutine GetStringRoutine() const { return stringRoutine_; }

 private:
  StringRoutine stringRoutine_;
};

// A string function bound to the literals it was written with; evaluates to a number.
class TBoundStringFunction : public TExprWord {
 public:
  TBoundStringFunction(const TSimpleStringFunction& function, std::string first, std::unique_ptr<std::string> second);
  WordKind Kind() const override { return WordKind::BoundString; }

 private:
  static double Run(EvalNode& node);
  StringRoutine stringRoutine_;
  std::string first_;
  std::unique_ptr<std::string> second_;
};

// Comparison of two string literals: "=", ">", "<", ">=", "<=", "<>" (bytes) or "in" (the left
// string equals one of the comma-separated items of the right one, items not trimmed).
class TLogicalStringOper : public TExprWord {
 public:
  TLogicalStringOper(std::string oper, std::string left, std::string right);
  WordKind Kind() const override { return WordKind::BoundString; }
  WordType Type() const override { return WordType::Boolean; }
  static bool IsComparison(const std::string& oper);

 private:
  static double Run(EvalNode& node);
  std::string oper_;
  std::string left_;
  std::string right_;
};

}  // namespace kestrelle::expr
