#include "data/random.h"

namespace kestrelle {

namespace {
RandomGenerator& ProcessGenerator() {
  static RandomGenerator generator;
  return generator;
}
std::function<int32_t(int32_t)>& InjectedSource() {
  static std::function<int32_t(int32_t)> source;
  return source;
}
}  // namespace

void RandomGenerator::Seed(uint64_t seed) {
  state_ = 0;
  Next();
  state_ += seed;
  Next();
}

uint32_t RandomGenerator::Next() {
  uint64_t old = state_;
  state_ = old * 6364136223846793005ULL + 1442695040888963407ULL;
  auto xorshifted = static_cast<uint32_t>(((old >> 18U) ^ old) >> 27U);
  auto rot = static_cast<uint32_t>(old >> 59U);
  return (xorshifted >> rot) | (xorshifted << ((32U - rot) & 31U));
}

int32_t RandomGenerator::Below(int32_t n) {
  if (n <= 0) return 0;
  // Multiply-shift: uniform enough for games and identical on every platform.
  return static_cast<int32_t>((static_cast<uint64_t>(Next()) * static_cast<uint64_t>(n)) >> 32U);
}

int32_t Random(int32_t n) {
  if (n <= 0) return 0;
  if (auto& source = InjectedSource()) {
    int32_t v = source(n);
    return v < 0 ? 0 : (v >= n ? n - 1 : v);
  }
  return ProcessGenerator().Below(n);
}

void RandomSeed(uint64_t seed) { ProcessGenerator().Seed(seed); }

void SetRandomSource(std::function<int32_t(int32_t)> source) { InjectedSource() = std::move(source); }

}  // namespace kestrelle
