#pragma once
// The one random generator of the program. Hand-written (a 64-bit PCG step) so that a seed
// gives the same sequence with every standard library; tests inject their own source.

#include <cstdint>
#include <functional>

namespace kestrelle {

class RandomGenerator {
public:
  explicit RandomGenerator(uint64_t seed = 0x853c49e6748fea9bULL) { Seed(seed); }
  void Seed(uint64_t seed);
  uint32_t Next();
  // 0 .. n-1; n <= 0 gives 0.
  int32_t Below(int32_t n);

private:
  uint64_t state_ = 0;
};

// Random(n): integer 0 .. n-1 from the process-wide generator (or the injected source).
int32_t Random(int32_t n);
void RandomSeed(uint64_t seed);
// Replaces the generator; an empty function restores it. The source gets n > 0.
void SetRandomSource(std::function<int32_t(int32_t)> source);

}  // namespace kestrelle
