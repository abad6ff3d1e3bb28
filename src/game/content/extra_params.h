#pragma once
// The "extraparams" attribute of a definition: a pair list ("key=value\key={va\lue}") turned into
// parameters, and back into text when the definition is saved.

#include <string>
#include <string_view>

#include "data/params.h"

namespace kestrelle {

// The pairs in order, the first of a repeated key winning; null for a text without any entry text
// (absent or blank), so that "no extraparams" and "extraparams without pairs" stay apart.
ParamsRef ParseExtraParams(std::string_view text);
// The pair list that parses back to the same parameters.
std::string FormatExtraParams(const ParamsRef& params);

}  // namespace kestrelle
