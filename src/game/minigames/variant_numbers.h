#pragma once
// A value of the data (a definition's property, a widget's extra parameter) as a number: the
// fallback when it is not one.

#include <cstdint>

#include "data/variant.h"
#include "data/variant_values.h"

namespace kestrelle {

inline int64_t IntOf(const Variant& value, int64_t fallback = 0) {
  int64_t result = 0;
  return VariantToInt(value, result) ? result : fallback;
}

inline double RealOf(const Variant& value) {
  double result = 0;
  return VariantToReal(value, result) ? result : 0;
}

}  // namespace kestrelle
