#include "data/function_calc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "data/expr_errors.h"
#include "data/function_surface_handles.h"
#include "data/random.h"
#include "function_test_support.h"

namespace kestrelle {
namespace {

using testing_functions::MakeStaticFunction;
using testing_functions::Outputs;

struct CalcCase {
  const char* name;
  const char* type;
  std::vector<std::vector<float>> vectors;  // vector 0 holds the initial outputs
  std::vector<float> expected;
};

TEST(FunctionCalc, EveryCalculationClass) {
  const float kNaN = std::numeric_limits<float>::quiet_NaN();
  const CalcCase cases[] = {
      {"sin: A sin(2 pi t / T)", "function_sin", {{7, 7}, {2, 0.25f, 1}, {2, 0.25f, 1, 1}}, {2, -2}},
      {"sin: offsets add", "function_sin", {{7}, {1, 0, 1, 0, 3, 4}}, {7}},
      {"sin: too few slots or no period leave the output", "function_sin", {{7, 7}, {2, 0.25f}, {2, 0.25f, 0}}, {7, 7}},
      {"sum (an empty vector gives 0)", "function_sum", {{9, 9}, {}, {1, 2, 3}}, {0, 6}},
      {"multiply", "function_multiply", {{9, 9}, {}, {2, 3, 4}}, {1, 24}},
      {"substr", "function_substr", {{9, 9}, {}, {10, 1, 2}}, {0, 7}},
      {"division skips a zero divisor", "function_division", {{9, 9}, {}, {12, 0, 3, 2}}, {0, 2}},
      {"polinom2", "function_polinom2", {{9}, {2, 3, 4, 5}}, {4 * 3 + 2 * 4 + 5}},
      {"switch",
       "function_switch",
       {{9, 9, 9, 9}, {1, 1, 10, 20, 30}, {2, 1, 10, 20, 30}, {0, 1, 10, 20, 30}, {0, 1, 10, 20}},
       {20, 30, 10, 9}},
      {"linear segment",
       "function_linear_segment",
       {{9, 9, 9}, {10, 20, 5, 10}, {10, 20, 5, 0}, {10, 20, 5}},
       {15, 20, 9}},
      {"arithmetic: + - * / max min mod div and unknown op",
       "function_arithmetic",
       {{9, 9}, {10, 2, 3, 4, 100, 7, 5, 9}, {0, 1, 2, 3, 4, 5, 6}, {17, 5, 3}, {7, 99}},
       // ((10 + 2 - 3) * 4) / 100 = 0.36, max(7, 0.36) = 7, min(5, 7) = 5, 5 mod 9 = 5; 17 div 5 = 3, op 99 keeps 3
       {5, 3}},
      {"arithmetic: float division by zero follows the float rules",
       "function_arithmetic",
       {{9}, {1, 0}, {3}},
       {std::numeric_limits<float>::infinity()}},
      {"arithmetic: NaN operands do not trap", "function_arithmetic", {{9}, {kNaN, 2}, {6}}, {0}},
      {"piecewise at 5", "function_piecewise", {{9}, {5}, {0, 10}, {0, 100}}, {50}},
      {"piecewise at the last knot", "function_piecewise", {{9}, {10}, {0, 10}, {0, 100}}, {100}},
      {"piecewise beyond", "function_piecewise", {{9}, {20}, {0, 10}, {0, 100}}, {100}},
      {"piecewise below every knot", "function_piecewise", {{9}, {-1}, {0, 10}, {0, 100}}, {100}},
      {"piecewise with two pairs", "function_piecewise", {{9, 9}, {2.5f}, {0, 10}, {0, 100}, {0, 5}, {10, 0}}, {25, 5}},
      {"interval",
       "function_interval",
       {{9, 9, 9, 9}, {1, 1.5f, 5, 0}, {1, 2, 3}, {10, 20, 30}, {1, 2, 3}, {10, 20, 30}, {1, 2, 3}, {10, 20, 30}},
       {10, 20, 30, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FunctionRef function = MakeStaticFunction(c.type, c.vectors);
    ASSERT_TRUE(function);
    function->Calculate();
    std::vector<float> out = Outputs(function);
    ASSERT_EQ(out.size(), c.expected.size());
    for (size_t i = 0; i < out.size(); ++i) {
      if (std::isinf(c.expected[i])) {
        EXPECT_EQ(out[i], c.expected[i]) << "output " << i;
      } else {
        EXPECT_NEAR(out[i], c.expected[i], 1e-5) << "output " << i;
      }
    }
  }
}

// mod and div by zero stop the calculation with an error: the pairs before keep their results,
// the failing pair and those after it are not written.
TEST(FunctionCalc, IntegerOpsByZeroAreErrors) {
  const CalcCase cases[] = {
      {"mod by 0", "function_arithmetic", {{9}, {7, 0}, {6}}, {9}},
      {"div by 0", "function_arithmetic", {{9}, {7, 0}, {7}}, {9}},
      {"div by 0.5 (truncates to 0)", "function_arithmetic", {{9}, {7, 0.5f}, {7}}, {9}},
      {"a later pair", "function_arithmetic", {{9, 9, 9}, {7, 2}, {6}, {7, 0}, {7}, {1, 1}, {0}}, {1, 9, 9}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FunctionRef function = MakeStaticFunction(c.type, c.vectors);
    ASSERT_TRUE(function);
    try {
      function->Calculate();
      ADD_FAILURE() << "no error";
    } catch (const TExprArithmeticError& e) {
      EXPECT_EQ(e.Kind(), ExprArithmeticKind::IntDivByZero);
    }
    EXPECT_EQ(Outputs(function), c.expected);
  }
}

TEST(FunctionCalc, RandomFunctionsUseTheInjectedSource) {
  SetRandomSource([](int32_t n) { return n / 4; });
  FunctionRef random = MakeStaticFunction("function_random", {{9, 9}, {}, {8, 1, 1}});
  random->Calculate();
  EXPECT_EQ(Outputs(random), (std::vector<float>{0, 4}));  // 0.25 * 8 + 1 + 1

  FunctionRef integer = MakeStaticFunction("function_int_random", {{9, 9}, {10, 100}, {std::nanf("")}});
  integer->Calculate();
  EXPECT_EQ(Outputs(integer), (std::vector<float>{102, 0}));  // Random(10) = 2; a NaN limit draws from nothing
  SetRandomSource({});
}

class FakePicture : public TAbstractObject, public virtual IPixelSource {
 public:
  int32_t GetWidth() const override { return 4; }
  int32_t GetHeight() const override { return 2; }
  uint32_t GetPixel(int32_t x, int32_t y) const override { return x == 3 && y == 1 ? 0x80112233u : 0x00FFFFFFu; }
};

TEST(FunctionCalc, MonteCarloSamplesASurfaceThroughAHandle) {
  auto picture = std::make_shared<FakePicture>();
  float handle = RegisterSurfaceHandle(picture);
  ASSERT_GT(handle, 0);
  EXPECT_EQ(RegisterSurfaceHandle(picture), handle);

  // First draw misses (transparent), second hits (3, 1).
  int draw = 0;
  SetRandomSource([&draw](int32_t n) {
    static const int32_t kDraws[] = {0, 0, 3, 1};
    return kDraws[draw++ % 4];
  });
  FunctionRef function = MakeStaticFunction("function_montecarlo", {{9, 9, 9, 9, 9, 9, 9}, {handle, 100, 2}});
  function->Calculate();
  EXPECT_EQ(Outputs(function), (std::vector<float>{1, 3, 1, 0x11, 0x22, 0x33, 0x80}));

  // One try that misses; then a handle whose surface is gone.
  draw = 0;
  FunctionRef once = MakeStaticFunction("function_montecarlo", {{9, 9}, {handle, 100, 1}});
  once->Calculate();
  EXPECT_EQ(Outputs(once), (std::vector<float>{0, 9}));
  picture.reset();
  FunctionRef gone = MakeStaticFunction("function_montecarlo", {{9}, {handle}});
  gone->Calculate();
  EXPECT_EQ(gone->GetOutput(0), 0);
  FunctionRef nan = MakeStaticFunction("function_montecarlo", {{9}, {std::nanf("")}});
  nan->Calculate();
  EXPECT_EQ(nan->GetOutput(0), 0);
  SetRandomSource({});
}

}  // namespace
}  // namespace kestrelle
