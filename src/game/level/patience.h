#pragma once
// A waiting client's patience: seconds that run down while the level plays, counted in hearts of
// "patience_rate" seconds each. Setting hearts refills the patience to the top of the new heart;
// running past a heart's bottom costs that heart; the last heart shakes in its final seconds; an
// ice freeze holds everything still. The client widget shows what this model says.

#include <cstdint>
#include <string>

namespace kestrelle {

inline constexpr int64_t kMaxHearts = 3;
inline constexpr int64_t kHeartShakeSeconds = 7;

struct HeartChange {
  enum class Kind { kNone, kGain, kLoss };
  Kind kind = Kind::kNone;
  std::string name;   // new hearts + "_" + old hearts: the labels' widget name
  std::string label;  // "+1" .. "+3" or "-1"
};

enum class ClientMood { kSad, kNormal, kHappy };

class PatienceModel {
 public:
  // A rate below 1 (a missing "patience_rate" reads 0) is taken as 1, so no heart is ever
  // divided by zero.
  void SetRate(int64_t seconds);
  int64_t Rate() const { return rate_; }

  // Hearts = min(value, 3) and the patience refilled to (hearts + 1) x rate - 1. A gain is shown
  // only once the client has patience (the setting at arrival shows nothing).
  HeartChange SetHearts(int64_t hearts);
  // max(-1, seconds); the hearts follow the whole hearts the patience still holds.
  HeartChange SetPatience(double seconds);
  // Elapsed play time: the freeze runs down first, otherwise the patience does.
  HeartChange Update(int64_t elapsedMs);
  // "ice_bonus": frozen while the value is above 0.
  void SetIce(double seconds);

  int64_t Hearts() const { return hearts_; }
  double Patience() const { return patience_; }
  bool IsFrozen() const { return frozen_; }
  double IceTime() const { return iceTime_; }
  // The client leaves once this is true.
  bool IsOutOfPatience() const { return patience_ < 0; }

  // The heart image that shakes (the last one, in its final seconds), or -1.
  int64_t ShakingHeart() const;
  ClientMood Mood() const;
  // The client property naming what it would pay now ("heart_" + hearts).
  std::string CostKey() const { return "heart_" + std::to_string(hearts_); }

 private:
  int64_t rate_ = 1;
  int64_t hearts_ = kMaxHearts;
  double patience_ = 0;
  bool frozen_ = false;
  double iceTime_ = 0;
};

}  // namespace kestrelle
