#pragma once
// Small helpers shared by the controls: property names compare ignoring ASCII case.

#include <string>

#include "data/text_encoding.h"

namespace kestrelle {

inline bool PropIs(const std::string& name, const char* word) { return EqualsIgnoreAsciiCase(name, word); }

}  // namespace kestrelle
