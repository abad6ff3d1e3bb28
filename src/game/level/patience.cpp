#include "game/level/patience.h"

#include <algorithm>

#include "data/numbers.h"

namespace kestrelle {

void PatienceModel::SetRate(int64_t seconds) { rate_ = std::max<int64_t>(1, seconds); }

HeartChange PatienceModel::SetHearts(int64_t hearts) {
  HeartChange change;
  const std::string name = std::to_string(hearts) + "_" + std::to_string(hearts_);
  if (hearts >= hearts_ && patience_ != 0) {
    change = {HeartChange::Kind::kGain, name,
              "+" + std::to_string(std::min<int64_t>(std::max<int64_t>(1, hearts - hearts_), kMaxHearts))};
  } else if (hearts < hearts_) {
    change = {HeartChange::Kind::kLoss, name, "-1"};
  }
  hearts_ = std::min(hearts, kMaxHearts);
  patience_ = static_cast<double>((hearts_ + 1) * rate_ - 1);
  return change;
}

HeartChange PatienceModel::SetPatience(double seconds) {
  patience_ = std::max(-1.0, seconds);
  // A client below 0 is leaving: deriving hearts from -1 would give 0 and refill the patience,
  // so a client that failed a minigame at 0 hearts would never leave.
  if (patience_ < 0) return {};
  const int64_t implied = DivTrunc(RoundHalfEven(patience_), rate_);
  if (implied == hearts_) return {};
  return SetHearts(implied);
}

HeartChange PatienceModel::Update(int64_t elapsedMs) {
  const double elapsed = static_cast<double>(elapsedMs) / 1000.0;
  if (frozen_) {
    iceTime_ -= elapsed;
    if (iceTime_ < 0) frozen_ = false;
    return {};
  }
  return SetPatience(patience_ - elapsed);
}

void PatienceModel::SetIce(double seconds) {
  frozen_ = seconds > 0;
  iceTime_ = seconds;
}

int64_t PatienceModel::ShakingHeart() const {
  if (patience_ < 0) return -1;
  const int64_t whole = RoundHalfEven(patience_);
  const int64_t count = DivTrunc(whole, rate_);
  if (count <= 0 || ModTrunc(whole, rate_) >= kHeartShakeSeconds) return -1;
  return count - 1;
}

ClientMood PatienceModel::Mood() const {
  if (hearts_ >= kMaxHearts) return ClientMood::kHappy;
  return hearts_ >= 1 ? ClientMood::kNormal : ClientMood::kSad;
}

}  // namespace kestrelle
