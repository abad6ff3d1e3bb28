#pragma once
// The rule of Hurdle: every picture stands on the place whose "goal" names it. Pictures swap
// places two at a time (the two-click swap of the tile puzzles).

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kestrelle {

// `pictures`: each picture's name and the place it stands on; `goals`: each place's "goal". A
// picture on a place that does not exist keeps the puzzle unsolved.
bool IsHurdleSolved(const std::vector<std::pair<std::string, std::string>>& pictures,
                    const std::map<std::string, std::string>& goals);

}  // namespace kestrelle
