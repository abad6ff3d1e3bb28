#pragma once
// A draw among names by integer weights, used for client types and bonus types.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kestrelle {

// Names with their weights, in the order they are walked.
using NamedWeights = std::vector<std::pair<std::string, int64_t>>;

// Draws r in [0, sum) and walks the list: the first name with r < weight wins, else r minus its
// weight. Empty text when every weight is 0 (nothing is drawn then).
std::string DrawByWeight(const NamedWeights& weights);

}  // namespace kestrelle
