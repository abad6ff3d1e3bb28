#include "data/expr_standard_words.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "data/expr_errors.h"
#include "data/random.h"

namespace kestrelle::expr {

namespace {

constexpr double kTolerance = 1e-30;
constexpr double kPi = 3.1415926535897932385;

double A(const EvalNode& n, int i) { return static_cast<double>(*n.args[i]); }

// Uniform in [0, 1) with 24 bits, so that the single never rounds up to 1.
double RandomUnit() { return static_cast<double>(Random(1 << 24)) / 16777216.0; }

int64_t CheckedTrunc(double value) {
  if (std::isnan(value) || std::fabs(value) >= 9223372036854775808.0) ThrowArithmetic(ExprArithmeticKind::InvalidOp);
  return static_cast<int64_t>(value);
}

double Quotient(double a, double b) {
  if (b == 0.0) {
    if (std::isnan(a)) return a;
    ThrowArithmetic(a == 0.0 ? ExprArithmeticKind::InvalidOp : ExprArithmeticKind::ZeroDivide);
  }
  return a / b;
}

double CheckedLn(double x) {
  if (x == 0.0) ThrowArithmetic(ExprArithmeticKind::ZeroDivide);
  return std::log(x);
}

double IntPower(double x, int64_t n) {
  if (x == 0.0 && n < 0) ThrowArithmetic(ExprArithmeticKind::ZeroDivide);
  return std::pow(x, static_cast<double>(n));
}

double RealPower(double x, double y) {
  if (x == 0.0 && y < 0.0) ThrowArithmetic(ExprArithmeticKind::ZeroDivide);
  return std::pow(x, y);
}

// Writes through an argument's own storage (the "++", "--" and ":=" words).
void StoreInto(float* target, double value, const EvalNode& node) { *target = StoreResult(value, node); }

// Routines.
double Random0(EvalNode&) { return RandomUnit(); }
double RandomInt(EvalNode& n) {
  int64_t limit = CheckedTrunc(A(n, 0));
  if (limit > INT32_MAX) limit = INT32_MAX;
  return Random(static_cast<int32_t>(limit < 0 ? 0 : limit));
}
double Factorial(EvalNode& n) {
  int64_t k = Nearest(A(n, 0));
  double r = 1.0;
  for (; k > 1; --k) {
    r *= static_cast<double>(k);
    if (std::isinf(r)) ThrowArithmetic(ExprArithmeticKind::Overflow);
  }
  return r;
}
double Increment(EvalNode& n) {
  StoreInto(n.args[0], A(n, 0) + 1.0, n);
  return A(n, 0);
}
double Decrement(EvalNode& n) {
  StoreInto(n.args[0], A(n, 0) - 1.0, n);
  return A(n, 0);
}
double Percent(EvalNode& n) { return A(n, 0) * 0.01; }
double Negate(EvalNode& n) { return -A(n, 0); }
double Identity(EvalNode& n) { return A(n, 0); }
double Power(EvalNode& n) { return RealPower(A(n, 0), A(n, 1)); }
double IntegerPower(EvalNode& n) { return IntPower(A(n, 0), Nearest(A(n, 1))); }
double Multiply(EvalNode& n) { return A(n, 0) * A(n, 1); }
double Divide(EvalNode& n) { return Quotient(A(n, 0), A(n, 1)); }
double IntDiv(EvalNode& n) {
  int64_t a = Nearest(A(n, 0)), b = Nearest(A(n, 1));
  if (b == 0) ThrowArithmetic(ExprArithmeticKind::IntDivByZero);
  if (b == -1) return -static_cast<double>(a);
  return static_cast<double>(a / b);
}
double IntMod(EvalNode& n) {
  int64_t a = Nearest(A(n, 0)), b = Nearest(A(n, 1));
  if (b == 0) ThrowArithmetic(ExprArithmeticKind::IntDivByZero);
  if (b == -1) return 0.0;
  return static_cast<double>(a % b);
}
double Add(EvalNode& n) { return A(n, 0) + A(n, 1); }
double Subtract(EvalNode& n) { return A(n, 0) - A(n, 1); }
double Greater(EvalNode& n) { return A(n, 0) > A(n, 1); }
double GreaterEqual(EvalNode& n) { return A(n, 0) - A(n, 1) >= -kTolerance; }
double LessEqual(EvalNode& n) { return A(n, 1) - A(n, 0) >= -kTolerance; }
double Less(EvalNode& n) { return A(n, 0) < A(n, 1); }
double NotEqual(EvalNode& n) { return std::fabs(A(n, 0) - A(n, 1)) > kTolerance; }
double Equal(EvalNode& n) { return std::fabs(A(n, 0) - A(n, 1)) < kTolerance; }
double Not(EvalNode& n) { return static_cast<double>((Nearest(A(n, 0)) & 0xFF) ^ 1); }
double Or(EvalNode& n) { return static_cast<double>(Nearest(A(n, 0)) | Nearest(A(n, 1))); }
double And(EvalNode& n) { return static_cast<double>(Nearest(A(n, 0)) & Nearest(A(n, 1))); }
double Xor(EvalNode& n) { return static_cast<double>(Nearest(A(n, 0)) ^ Nearest(A(n, 1))); }
double Assign(EvalNode& n) {
  double value = A(n, 1);
  StoreInto(n.args[0], value, n);
  return value;
}
double Exp(EvalNode& n) { return std::exp(A(n, 0)); }
double If(EvalNode& n) { return (Nearest(A(n, 0)) & 0xFF) != 0 ? A(n, 1) : A(n, 2); }
double RandG(EvalNode& n) {
  double u1 = (static_cast<double>(Random(1 << 24)) + 1.0) / 16777216.0;  // (0, 1]
  double u2 = RandomUnit();
  return A(n, 0) + A(n, 1) * std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * kPi * u2);
}
double Sqr(EvalNode& n) { return A(n, 0) * A(n, 0); }
double Sqrt(EvalNode& n) { return std::sqrt(A(n, 0)); }
double Abs(EvalNode& n) { return std::fabs(A(n, 0)); }
double Round(EvalNode& n) { return static_cast<double>(Nearest(A(n, 0))); }
double Trunc(EvalNode& n) { return static_cast<double>(CheckedTrunc(A(n, 0))); }
double Ln(EvalNode& n) { return CheckedLn(A(n, 0)); }
double Log10(EvalNode& n) { return CheckedLn(A(n, 0)) / std::numbers::ln10; }
double LogN(EvalNode& n) { return Quotient(CheckedLn(A(n, 1)), CheckedLn(A(n, 0))); }
double Max(EvalNode& n) { return A(n, 0) >= A(n, 1) ? A(n, 0) : A(n, 1); }
double Min(EvalNode& n) { return A(n, 0) > A(n, 1) ? A(n, 1) : A(n, 0); }
double Sin(EvalNode& n) { return std::sin(A(n, 0)); }
double Cos(EvalNode& n) { return std::cos(A(n, 0)); }
double Tan(EvalNode& n) { return std::tan(A(n, 0)); }
double ArcSin(EvalNode& n) { return std::asin(A(n, 0)); }
double ArcCos(EvalNode& n) { return std::acos(A(n, 0)); }
double ArcTan(EvalNode& n) { return std::atan(A(n, 0)); }
double ArcTan2(EvalNode& n) { return std::atan2(A(n, 0), A(n, 1)); }
double Sinh(EvalNode& n) { return std::sinh(A(n, 0)); }
double Cosh(EvalNode& n) { return std::cosh(A(n, 0)); }
double Tanh(EvalNode& n) { return std::tanh(A(n, 0)); }
double ArcSinh(EvalNode& n) { return std::asinh(A(n, 0)); }
double ArcCosh(EvalNode& n) { return std::acosh(A(n, 0)); }
double ArcTanh(EvalNode& n) {
  if (std::fabs(A(n, 0)) == 1.0) ThrowArithmetic(ExprArithmeticKind::ZeroDivide);
  return std::atanh(A(n, 0));
}
double DegToRad(EvalNode& n) { return A(n, 0) * (kPi / 180.0); }
double RadToDeg(EvalNode& n) { return A(n, 0) * (180.0 / kPi); }

double Pos(const std::string& first, const std::string* second) {
  if (!second || first.empty()) return 0.0;
  size_t at = second->find(first);
  return at == std::string::npos ? 0.0 : static_cast<double>(at + 1);
}

}  // namespace

int64_t Nearest(double value) {
  if (std::isnan(value) || std::fabs(value) >= 9223372036854775808.0) ThrowArithmetic(ExprArithmeticKind::InvalidOp);
  return static_cast<int64_t>(std::nearbyint(value));
}

float StoreResult(double value, const EvalNode& node) {
  if (std::isnan(value)) {
    for (int i = 0; i < node.argCount; ++i)
      if (std::isnan(*node.args[i])) return static_cast<float>(value);
    ThrowArithmetic(ExprArithmeticKind::InvalidOp);
  }
  if (std::isinf(value)) {
    for (int i = 0; i < node.argCount; ++i)
      if (std::isinf(*node.args[i])) return static_cast<float>(value);
    ThrowArithmetic(ExprArithmeticKind::Overflow);
  }
  if (std::fabs(value) > static_cast<double>(FLT_MAX)) ThrowArithmetic(ExprArithmeticKind::Overflow);
  return static_cast<float>(value);
}

std::vector<std::unique_ptr<TExprWord>> MakeStandardWords() {
  std::vector<std::unique_ptr<TExprWord>> w;
  auto fn = [&w](const char* name, const char* description, int args, Routine routine) {
    w.push_back(std::make_unique<TFunction>(name, description, args, routine));
  };
  auto op = [&w](const char* name, int args, int priority, Routine routine) {
    w.push_back(std::make_unique<TFunction>(name, "", args, routine, true, priority));
  };
  auto boolOp = [&w](const char* name, int args, int priority, Routine routine) {
    w.push_back(std::make_unique<TBooleanFunction>(name, "", args, routine, true, priority));
  };
  auto varying = [&w](const char* name, const char* description, int args, Routine routine) {
    w.push_back(std::make_unique<TVaryingFunction>(name, description, args, routine));
  };

  w.push_back(std::make_unique<TLeftBracket>());
  w.push_back(std::make_unique<TRightBracket>());
  w.push_back(std::make_unique<TComma>(","));
  w.push_back(std::make_unique<TConstant>("pi", static_cast<float>(kPi), "pi = 3.1415926535897932385"));
  varying("random", "random number between 0 and 1", 0, &Random0);
  varying("random_int", "random number between 0 and Argument1", 1, &RandomInt);
  op("!", 1, 10, &Factorial);
  op("++", 1, 5, &Increment);
  op("--", 1, 5, &Decrement);
  op("%", 1, 10, &Percent);
  op("^", 2, 20, &Power);
  op("*", 2, 30, &Multiply);
  op("/", 2, 30, &Divide);
  op("div", 2, 30, &IntDiv);
  op("mod", 2, 30, &IntMod);
  op("+", 2, 40, &Add);
  op("-", 2, 40, &Subtract);
  boolOp(">", 2, 50, &Greater);
  boolOp(">=", 2, 50, &GreaterEqual);
  boolOp("<=", 2, 50, &LessEqual);
  boolOp("<", 2, 50, &Less);
  boolOp("<>", 2, 50, &NotEqual);
  boolOp("=", 2, 50, &Equal);
  boolOp("in", 2, 10, &Equal);
  boolOp("not", 1, 60, &Not);
  boolOp("or", 2, 70, &Or);
  boolOp("and", 2, 70, &And);
  boolOp("xor", 2, 70, &Xor);
  op(":=", 2, 200, &Assign);
  fn("exp", "the value of e raised to the power of x", 1, &Exp);
  fn("if", "if x=True(or 1) then y else z", 3, &If);
  varying("randg", "draw from normal distrib. (mean=x, sd =y)", 2, &RandG);
  fn("sqr", "the square of a number (x*x)", 1, &Sqr);
  fn("sqrt", "the square root of a number", 1, &Sqrt);
  fn("abs", "absolute value", 1, &Abs);
  fn("round", "round to the nearest integer", 1, &Round);
  fn("trunc", "truncates a real number to an integer", 1, &Trunc);
  fn("ln", "natural logarithm of x", 1, &Ln);
  fn("log10", "logarithm base 10 of x", 1, &Log10);
  fn("logn", "logarithm base x of y", 2, &LogN);
  fn("power", "power: x^y", 2, &Power);
  fn("pow", "power: x^y", 2, &Power);
  fn("intpower", "integer power: x^y", 2, &IntegerPower);
  fn("max", "the maximum of both arguments", 2, &Max);
  fn("min", "the minimum of both arguments", 2, &Min);
  fn("sin", "sine of an angle in rad", 1, &Sin);
  fn("cos", "cosine of an angle in rad", 1, &Cos);
  fn("tan", "tangent of an angle in rad", 1, &Tan);
  fn("arcsin", "inverse sine in rad", 1, &ArcSin);
  fn("arccos", "inverse cosine in rad", 1, &ArcCos);
  fn("arctan", "inverse tangent (x/y) in rad", 1, &ArcTan);
  fn("arctan2", "inverse tangent (x/y) in rad", 2, &ArcTan2);
  fn("sinh", "hyperbolic sine of an angle in rad", 1, &Sinh);
  fn("cosh", "hyperbolic sine of an angle in rad", 1, &Cosh);
  fn("tanh", "hyperbolic tangent of an angle in rad", 1, &Tanh);
  fn("arcsinh", "inverse sine in rad", 1, &ArcSinh);
  fn("arccosh", "inverse hyperbolic cosine in rad", 1, &ArcCosh);
  fn("arctanh", "inverse hyperbolic tangent in rad", 1, &ArcTanh);
  fn("degtorad", "conversion of degrees to radians", 1, &DegToRad);
  fn("radtodeg", "conversion of rad to degrees", 1, &RadToDeg);
  w.push_back(std::make_unique<TSimpleStringFunction>("pos", "Position in of substring in string", &Pos));
  return w;
}

InternalWords MakeInternalWords() {
  InternalWords words;
  words.unaryMinus = std::make_unique<TFunction>("-", "", 1, &Negate, true, 10);
  words.unaryPlus = std::make_unique<TFunction>("+", "", 1, &Identity, true, 10);
  words.integerPower = std::make_unique<TFunction>("^", "", 2, &IntegerPower, true, 20);
  return words;
}

}  // namespace kestrelle::expr
