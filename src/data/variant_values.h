#pragma once
// Conversions of property values for the widget setters: a value that does not convert leaves
// the property unchanged, so each reader says whether it could convert.

#include <cstdint>
#include <string>

#include "data/variant.h"

namespace kestrelle {

// Integers from numbers and decimal text (reals round to the nearest, halves to even); false for
// anything else.
bool VariantToInt(const Variant& value, int64_t& out);
// Reals from numbers and "." text.
bool VariantToReal(const Variant& value, double& out);
// Booleans from booleans, numbers (not 0) and the words "yes", "no", "true", "false" (any case).
bool VariantToBool(const Variant& value, bool& out);
// Colours from numbers and text as the data files write them (decimal, "$FF8000", "0xFF8000").
bool VariantToColor(const Variant& value, uint32_t& out);

// "key=value" pairs of a "\key=value\key=value" text, in order.
std::string FindPairValue(const std::string& pairs, const std::string& key, bool& found);

}  // namespace kestrelle
