#include "data/expr_parser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "data/random.h"

namespace kestrelle {
namespace {

struct ValueCase {
  const char* text;
  float expected;
};

float EvalOne(const std::string& text, bool optimize = true) {
  TExpressionParser parser;
  parser.SetOptimize(optimize);
  int index = parser.AddExpression(text);
  return parser.Evaluate(index);
}

std::string ErrorOf(const std::string& text) {
  TExpressionParser parser;
  try {
    parser.AddExpression(text);
    parser.EvaluateAll();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(ExprParser, ValuesOfTheLanguage) {
  const ValueCase cases[] = {
      // Priorities and the tree builder: lower numbers bind tighter, equal ones to the left.
      {"2+3*4", 14},
      {"(2+3)*4", 20},
      {"2*3+4", 10},
      {"1+2*3-4", 3},
      {"10-4-3", 3},
      {"2^3^2", 64},
      {"2^3*4", 32},
      {"2*3^2+1", 19},
      {"((1))", 1},
      {"(1)+(2)", 3},
      // Unary signs bind tighter than "^"; "--" is the decrement word.
      {"-2^2", 4},
      {"2*-3", -6},
      {"- - 3", 3},
      {"- - - 3", -3},
      {"2 - -3", 5},
      {"+3", 3},
      {"1 - -2^2", -3},
      {"2^-1", 0.5f},
      {"--3", 2},
      {"++3", 4},
      {"2^0.5", std::sqrt(2.0f)},
      // Integer words.
      {"7 div 2", 3},
      {"-7 div 2", -3},
      {"7 mod 3", 1},
      {"-7 mod 3", -1},
      {"2.5 div 1", 2},
      {"3.5 div 1", 4},
      {"5!", 120},
      {"0!", 1},
      {"5! + 1", 121},
      {"50%", 0.5f},
      {"$ff", 255},
      {"1.5e2", 150},
      {".5", 0.5f},
      // Comparisons and logic.
      {"2 > 1", 1},
      {"1 >= 1", 1},
      {"1 <= 0.5", 0},
      {"1 < 2", 1},
      {"1 <> 1", 0},
      {"1 = 1", 1},
      {"2 in 2", 1},
      {"not 0", 1},
      {"not 1", 0},
      {"not 2", 3},  // low byte XOR 1
      {"not not 1", 1},
      {"not 3 > 1", 0},  // not (3 > 1)
      {"6 and 3", 2},
      {"6 or 3", 7},
      {"6 xor 3", 5},
      {"1 and not 0", 1},
      {"if(1, 2, 3)", 2},
      {"if(0.4, 2, 3)", 3},
      {"if(256, 2, 3)", 3},  // only the low byte counts
      // Functions.
      {"max(2, 3)", 3},
      {"min(2, 3)", 2},
      {"sqr(3)", 9},
      {"sqrt(16)", 4},
      {"abs(-2)", 2},
      {"round(2.5)", 2},
      {"round(3.5)", 4},
      {"trunc(-2.7)", -2},
      {"intpower(2, 10)", 1024},
      {"power(2, 3)", 8},
      {"logn(2, 8)", 3},
      {"log10(1000)", 3},
      {"ln(1)", 0},
      {"exp(0)", 1},
      {"arctan2(1, 0)", static_cast<float>(M_PI / 2)},
      {"radtodeg(pi)", 180},
      {"degtorad(180)", static_cast<float>(M_PI)},
      {"sin(pi/2)", 1},
      {"PI", static_cast<float>(M_PI)},
      // String literals (the text is lower-cased as a whole).
      {"'b' in 'a,b,c'", 1},
      {"'b' in 'a, b'", 0},  // items are not trimmed
      {"'abc' = 'ABC'", 1},
      {"'a' < 'b'", 1},
      {"'b' <= 'a'", 0},
      {"'x' <> 'y'", 1},
      {"pos('b','abc')", 2},
      {"pos('z','abc')", 0},
      {"pos('b')", 0},
      {"pos('c','abc') * 2", 6},
  };
  for (const auto& c : cases) {
    for (bool optimize : {true, false}) {
      SCOPED_TRACE(std::string(c.text) + (optimize ? " (folded)" : " (not folded)"));
      EXPECT_FLOAT_EQ(EvalOne(c.text, optimize), c.expected);
    }
  }
}

TEST(ExprParser, ErrorTexts) {
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"(1+2", "Unequal brackets"},
      {"1 2", "Error in math expression: 1 two space limited variables/constants"},
      {"x y", "Error in math expression: x two space limited variables/constants"},
      {"foo(1)", "Error in math expression: foo is an unknown function"},
      {"()", "Error in math expression: Empty brackets ()"},
      {"sin()", "Error in math expression: Empty brackets ()"},
      {"(1)(2)", "Error in math expression: Missing operand between )("},
      {"(1)2", "Error in math expression: Missing operand between ) and constant/variable"},
      {"pi(2)", "Error in math expression: Missing operand between constant/variable and ("},
      {"2(3)", "Error in math expression: Missing operand between constant/variable and ("},
      {"1,2", "Error in math expression: Syntax error in expression 1,2"},
      {"2+", "Error in math expression: Syntax error: function or operand has too few arguments"},
      {"max(1)", "Error in math expression: Syntax error: function or operand has too few arguments"},
      {"if(1,2)", "Error in math expression: Syntax error: function or operand has too few arguments"},
      {"sin(1,2)", "Error in math expression: Syntax error in expression sin(1,2)"},
      {"1 != 2", "Error in math expression: 1 two space limited variables/constants"},
      {"'a' + 'b'", "+ is not a valid string operand"},
      {"2e", "'2e' is not a valid floating point value"},
      {"1/0", "Floating point division by zero"},
      {"0/0", "Invalid floating point operation"},
      {"sqrt(-1)", "Invalid floating point operation"},
      {"ln(0)", "Floating point division by zero"},
      {"1e30*1e30", "Floating point overflow"},
      {"exp(1000)", "Floating point overflow"},
      {"40!", "Floating point overflow"},
      {"5 div 0", "Division by zero"},
      {"5 mod 0.2", "Division by zero"},
      {"round(x)", "Invalid floating point operation"},  // x was never assigned: NaN
      {"1e39", "Floating point overflow"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ErrorOf(c.text), c.error);
  }
}

TEST(ExprParser, HostileTextIsRefusedNotOverflowingTheStack) {
  auto repeat = [](const std::string& piece, int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += piece;
    return text;
  };
  const std::string tooComplex = "Error in math expression: Expression too complex";
  EXPECT_EQ(ErrorOf(repeat("(", 5000) + "1" + repeat(")", 5000)), tooComplex);
  EXPECT_EQ(ErrorOf(repeat("-(", 3000) + "1" + repeat(")", 3000)), tooComplex);
  EXPECT_EQ(ErrorOf("1" + repeat("+1", 3000)), tooComplex);
  EXPECT_EQ(ErrorOf(repeat("1+", 6000) + "1"), tooComplex);
  // Reasonable depth still compiles.
  EXPECT_FLOAT_EQ(EvalOne(repeat("(", 300) + "1" + repeat(")", 300)), 1);
  EXPECT_FLOAT_EQ(EvalOne("0" + repeat("+1", 500)), 500);
}

TEST(ExprParser, TooManyArgumentsForAWord) {
  TExpressionParser parser;
  try {
    parser.DefineFunction("seven", "", 7, nullptr);
    ADD_FAILURE() << "a word of seven arguments was accepted";
  } catch (const TExprParserError& e) {
    EXPECT_STREQ(e.what(), "Too many arguments");
  }
}

TEST(ExprParser, VariablesAreSharedAcrossLinesAndStartAsNaN) {
  TExpressionParser parser;
  ASSERT_TRUE(parser.AddExpressions("// doubles x\nx := 3\n\n   \nx*2"));
  EXPECT_EQ(parser.ExpressionCount(), 2);
  EXPECT_FLOAT_EQ(parser.EvaluateAll(), 6);

  TExpressionParser fresh;
  EXPECT_TRUE(std::isnan(fresh.Evaluate(fresh.AddExpression("y + 1"))));
  EXPECT_TRUE(std::isnan(fresh.Evaluate(-1)));
  EXPECT_TRUE(std::isnan(fresh.Evaluate(5)));
  EXPECT_EQ(fresh.AddExpression("   "), -1);
  EXPECT_EQ(TExpressionParser().EvaluateAll(), 0);
}

TEST(ExprParser, IncrementChangesTheVariableEveryEvaluation) {
  TExpressionParser parser;
  float counter = 1;
  parser.DefineVariable("Counter", &counter);
  int index = parser.AddExpression("++counter");
  EXPECT_FLOAT_EQ(parser.Evaluate(index), 2);
  EXPECT_FLOAT_EQ(parser.Evaluate(index), 3);
  EXPECT_FLOAT_EQ(counter, 3);
}

TEST(ExprParser, BoundVariablesCarryInputsAndOutputs) {
  TExpressionParser parser;
  float t = 0, out = 0;
  parser.DefineVariable("t", &t);
  parser.DefineVariable("out", &out);
  ASSERT_TRUE(parser.AddExpressions("k := 2\nout := t * k + 1"));
  t = 5;
  parser.EvaluateAll();
  EXPECT_FLOAT_EQ(out, 11);
  t = -1;
  parser.EvaluateAll();
  EXPECT_FLOAT_EQ(out, -1);
}

TEST(ExprParser, DefiningAVariableLaterRebindsCompiledExpressions) {
  TExpressionParser parser;
  int index = parser.AddExpression("speed * 2");
  EXPECT_TRUE(std::isnan(parser.Evaluate(index)));
  float speed = 4;
  parser.DefineVariable("speed", &speed);
  EXPECT_FLOAT_EQ(parser.Evaluate(index), 8);

  int plain = parser.AddExpression("speed");
  speed = 7;
  EXPECT_FLOAT_EQ(parser.Evaluate(plain), 7);

  float other = 0;
  EXPECT_THROW(parser.DefineVariable("max", &other), TExprParserError);  // argument counts differ
  try {
    parser.DefineVariable("sin", &other);
  } catch (const TExprParserError& e) {
    EXPECT_STREQ(e.what(), "Error in math expression: Cannot replace variable/function NFuntionArg doesn't match");
  }
}

TEST(ExprParser, AFailingLineClearsEveryExpression) {
  TExpressionParser parser;
  EXPECT_FALSE(parser.AddExpressions("1+1\n2+"));
  EXPECT_EQ(parser.ExpressionCount(), 0);
}

TEST(ExprParser, RandomWordsUseTheInjectedSource) {
  SetRandomSource([](int32_t n) { return n / 2; });
  EXPECT_FLOAT_EQ(EvalOne("random"), 0.5f);
  EXPECT_FLOAT_EQ(EvalOne("random_int(10)"), 5);
  EXPECT_FLOAT_EQ(EvalOne("random_int(0)"), 0);
  EXPECT_FLOAT_EQ(EvalOne("randg(3, 0)"), 3);
  // Varying words are not folded: each evaluation draws again.
  int draws = 0;
  SetRandomSource([&draws](int32_t n) { return ++draws; });
  TExpressionParser parser;
  int index = parser.AddExpression("random_int(100) + 0");
  EXPECT_FLOAT_EQ(parser.Evaluate(index), 1);
  EXPECT_FLOAT_EQ(parser.Evaluate(index), 2);
  SetRandomSource({});
}

TEST(ExprParser, SeparatorsStayDistinct) {
  TExpressionParser parser;
  parser.SetDecimalSeparator(',');
  EXPECT_EQ(parser.ArgumentSeparator(), ';');
  EXPECT_FLOAT_EQ(parser.Evaluate(parser.AddExpression("max(1,5; 2)")), 2);
  EXPECT_FLOAT_EQ(parser.Evaluate(parser.AddExpression("1,5 * 2")), 3);
  parser.SetArgumentSeparator(',');
  EXPECT_EQ(parser.DecimalSeparator(), '.');
  EXPECT_FLOAT_EQ(parser.Evaluate(parser.AddExpression("max(1.5, 2.5)")), 2.5f);
}

TEST(ExprParser, ValuesAreSingles) {
  // 0.1 is stored as a single at every node.
  EXPECT_EQ(EvalOne("0.1 * 3"), static_cast<float>(static_cast<double>(0.1f) * 3.0));
  EXPECT_EQ(EvalOne("16777216 + 1"), 16777216.0f);
}

}  // namespace
}  // namespace kestrelle
