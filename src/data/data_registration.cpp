#include "data/data_registration.h"

#include "data/class_registry.h"
#include "data/function_calc.h"
#include "data/function_complex.h"
#include "data/function_eval.h"
#include "data/path_arc.h"
#include "data/path_bezier.h"
#include "data/path_composite.h"
#include "data/path_segment.h"

namespace kestrelle {

void RegisterDataClasses() {
  RegisterObjectClass<TComplexFunction>("function_complex");
  RegisterObjectClass<TFuncSelectorFunction>("function_selector");
  RegisterObjectClass<TFuncSelectorFunction>("function_selector_func");
  RegisterObjectClass<TConstSelectorFunction>("function_selector_const");
  RegisterObjectClass<TSinFunction>("function_sin");
  RegisterObjectClass<TPolinom2Function>("function_polinom2");
  RegisterObjectClass<TSumFunction>("function_sum");
  RegisterObjectClass<TSubstrFunction>("function_substr");
  RegisterObjectClass<TMultiplyFunction>("function_multiply");
  RegisterObjectClass<TDivisionFunction>("function_division");
  RegisterObjectClass<TArithmeticFunction>("function_arithmetic");
  RegisterObjectClass<TEvalFunction>("function_eval");
  RegisterObjectClass<TRandomFunction>("function_random");
  RegisterObjectClass<TIntRandomFunction>("function_int_random");
  RegisterObjectClass<TSwitchFunction>("function_switch");
  RegisterObjectClass<TIntervalFunction>("function_interval");
  RegisterObjectClass<TPiecewiseLinearInterpolationFunction>("function_piecewise");
  RegisterObjectClass<TLinearSegmentFunction>("function_linear_segment");
  RegisterObjectClass<TMonteCarloFunction>("function_montecarlo");
  RegisterObjectClass<TSegmentPathFunction>("path_segment");
  RegisterObjectClass<TAccelerateSegmentPathFunction>("path_segment_accelerate");
  RegisterObjectClass<TArcPathFunction>("path_arc");
  RegisterObjectClass<TBezierPathFunction>("path_bezier");
  RegisterObjectClass<TCompositePathFunction>("path_composite");
  RegisterObjectClass<TArbitraryPathFunction>("path_arbitrary");
}

}  // namespace kestrelle
