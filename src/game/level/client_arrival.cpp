#include "game/level/client_arrival.h"

#include "data/numbers.h"
#include "data/random.h"

namespace kestrelle {

bool DrawVip(int64_t generationProbability) { return Random(100) < generationProbability; }

int64_t LevelNumberFromName(const std::string& name) {
  int64_t number = 0;
  return ParseInt(name, number) ? number : 1;
}

}  // namespace kestrelle
