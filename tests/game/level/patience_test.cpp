#include "game/level/patience.h"

#include <gtest/gtest.h>

namespace kestrelle {
namespace {

using Kind = HeartChange::Kind;

PatienceModel ArrivedClient(int64_t rate) {
  PatienceModel model;
  model.SetRate(rate);
  model.SetHearts(kMaxHearts);
  return model;
}

TEST(Patience, ArrivalShowsNothingAndFillsFourHearts) {
  PatienceModel model;
  model.SetRate(10);
  EXPECT_EQ(model.SetHearts(3).kind, Kind::kNone);
  EXPECT_DOUBLE_EQ(model.Patience(), 39);
  EXPECT_EQ(model.Mood(), ClientMood::kHappy);
}

TEST(Patience, HeartsRunDownThenTheClientLeaves) {
  PatienceModel model = ArrivedClient(10);
  struct Step {
    int64_t elapsedMs;
    Kind change;
    int64_t hearts;
    double patience;
    int64_t shaking;
  };
  const Step steps[] = {
      {2000, Kind::kNone, 3, 37, -1}, {1000, Kind::kNone, 3, 36, 2},   {6400, Kind::kNone, 3, 29.6, 2},
      {200, Kind::kLoss, 2, 29, -1},  {10000, Kind::kLoss, 1, 19, -1}, {10000, Kind::kLoss, 0, 9, -1},
      {9000, Kind::kNone, 0, 0, -1},  {600, Kind::kNone, 0, -0.6, -1}, {5000, Kind::kNone, 0, -1, -1},
  };
  for (const Step& step : steps) {
    const HeartChange change = model.Update(step.elapsedMs);
    EXPECT_EQ(change.kind, step.change) << step.patience;
    EXPECT_EQ(model.Hearts(), step.hearts) << step.patience;
    EXPECT_NEAR(model.Patience(), step.patience, 1e-9);
    EXPECT_EQ(model.ShakingHeart(), step.shaking) << step.patience;
  }
  EXPECT_TRUE(model.IsOutOfPatience());
  EXPECT_EQ(model.Mood(), ClientMood::kSad);
}

TEST(Patience, SettingHearts) {
  struct Case {
    const char* name;
    double patienceBefore;
    int64_t heartsBefore;
    int64_t set;
    Kind kind;
    std::string label;
    int64_t hearts;
    double patience;
  };
  const Case cases[] = {
      {"full client refilled", 35, 3, 3, Kind::kGain, "+1", 3, 39},
      {"gain of two", 5, 0, 2, Kind::kGain, "+2", 2, 29},
      {"above the maximum", 5, 0, 7, Kind::kGain, "+3", 3, 39},
      {"loss", 25, 2, 1, Kind::kLoss, "-1", 1, 19},
      // A lost minigame at 0 hearts: -1 hearts, patience -1.
      {"below zero", 3, 0, -1, Kind::kLoss, "-1", -1, -1},
  };
  for (const Case& c : cases) {
    PatienceModel model;
    model.SetRate(10);
    model.SetHearts(c.heartsBefore);
    model.SetPatience(c.patienceBefore);
    const HeartChange change = model.SetHearts(c.set);
    EXPECT_EQ(change.kind, c.kind) << c.name;
    EXPECT_EQ(change.label, c.label) << c.name;
    EXPECT_EQ(change.name, std::to_string(c.set) + "_" + std::to_string(c.heartsBefore)) << c.name;
    EXPECT_EQ(model.Hearts(), c.hearts) << c.name;
    EXPECT_DOUBLE_EQ(model.Patience(), c.patience) << c.name;
  }
}

TEST(Patience, ClientBelowZeroHeartsLeavesAtTheNextUpdate) {
  PatienceModel model = ArrivedClient(10);
  model.SetHearts(0);
  model.SetHearts(-1);
  model.Update(16);
  EXPECT_TRUE(model.IsOutOfPatience());
  EXPECT_EQ(model.Hearts(), -1);
}

TEST(Patience, RateBelowOneIsOne) {
  for (int64_t rate : {0, -5}) {
    PatienceModel model = ArrivedClient(rate);
    EXPECT_EQ(model.Rate(), 1);
    EXPECT_DOUBLE_EQ(model.Patience(), 3);
    model.Update(1000);
    EXPECT_EQ(model.Hearts(), 2);
  }
}

TEST(Patience, FreezeHoldsPatienceThenContinues) {
  PatienceModel model = ArrivedClient(10);
  model.Update(5000);
  model.SetIce(15);
  for (int tick = 0; tick < 15; ++tick) model.Update(1000);
  EXPECT_TRUE(model.IsFrozen());  // ice time exactly 0 is not below 0 yet
  EXPECT_DOUBLE_EQ(model.Patience(), 34);
  model.Update(100);
  EXPECT_FALSE(model.IsFrozen());
  EXPECT_DOUBLE_EQ(model.Patience(), 34);  // the thawing frame costs nothing either
  model.Update(1000);
  EXPECT_DOUBLE_EQ(model.Patience(), 33);
  model.SetIce(0);
  EXPECT_FALSE(model.IsFrozen());
}

}  // namespace
}  // namespace kestrelle
