#include "game/minigames/redundant/redundant_round.h"

#include "data/random.h"

namespace kestrelle {

std::vector<RedundantElement> GenerateRedundantRound(const RedundantRound& round) {
  std::vector<RedundantElement> elements;
  const int32_t odd = Random(round.places) + 1;
  const auto add = [&](int32_t number, bool isOdd) {
    RedundantElement element;
    element.name = std::to_string(number);
    element.type = isOdd ? "red" : "normal";
    element.resourceName = isOdd ? round.redundantResource : round.normalResource;
    const int32_t tilt = Random(round.angleRange);
    element.angle = Random(2) == 0 ? tilt : -tilt;
    const auto place = round.placesByName.find(element.name);
    if (place == round.placesByName.end()) return;
    element.left = place->second.first;
    element.top = place->second.second;
    elements.push_back(std::move(element));
  };
  add(odd, true);
  for (int32_t number = 1; number <= round.places; ++number)
    if (number != odd) add(number, false);
  return elements;
}

}  // namespace kestrelle
