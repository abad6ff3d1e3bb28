#pragma once
// The level's 18 counters (index 14 is unused) and its history of finished clients.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrelle {

enum LevelCounter : int {
  kExpertTimeLeftMs = 0,
  kClientsServed = 1,
  kClientsLost = 2,
  kClientGoal = 3,
  kMoneyEarned = 4,
  kCorrectItemClicks = 5,
  kCoinsPickedUp = 6,
  kHeartsOfFinishedClients = 7,
  kMinigamesStarted = 8,
  kMinigamesWon = 9,
  kMinigamesLost = 10,
  kBonusesGenerated = 11,
  kBonusesCollected = 12,
  kTimePlayedMs = 13,
  kHeartBonusesCollected = 15,
  kIceBonusesCollected = 16,
  kHintBonusesCollected = 17,
};

class LevelCounters {
 public:
  static constexpr int kCount = 18;
  // Outside 0 .. 17: reads 0, writes nothing.
  int64_t Get(int index) const { return InRange(index) ? values_[index] : 0; }
  void Set(int index, int64_t value) {
    if (InRange(index)) values_[index] = value;
  }
  void Add(int index, int64_t amount) { Set(index, Get(index) + amount); }
  void Reset() { values_.fill(0); }

 private:
  static bool InRange(int index) { return index >= 0 && index < kCount; }
  std::array<int64_t, kCount> values_{};
};

struct ClientHistory {
  std::string clientType;
  bool served = false;
  int64_t hearts = 0;
};

}  // namespace kestrelle
