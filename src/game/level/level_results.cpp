#include "game/level/level_results.h"

#include <algorithm>

namespace kestrelle {

namespace {

const char* YesNo(bool value) { return value ? "yes" : "no"; }

}  // namespace

std::string LevelResults::Value(const std::string& name) const {
  for (const auto& [key, value] : values) {
    if (key == name) return value;
  }
  return std::string();
}

LevelResults ComputeResults(const LevelOutcome& outcome, const ProfileValues& profile,
                            const TrophyThresholds& thresholds) {
  LevelResults results;
  PendingProfile pending(profile);
  auto put = [&](const std::string& name, const std::string& value) { results.values.emplace_back(name, value); };
  bool award = false;
  int64_t total = outcome.counters.Get(kMoneyEarned);

  put("Level", std::to_string(outcome.level));
  put("Replay", YesNo(outcome.replay));
  put("Minigame", outcome.minigame);
  put("level_completed", YesNo(outcome.counters.Get(kClientsServed) == outcome.counters.Get(kClientGoal)));
  put("money_earned", std::to_string(outcome.counters.Get(kMoneyEarned)));

  // The expert flags and counts are booked on replays too: a replay can earn an expert level once.
  const bool allHappy = std::all_of(outcome.clients.begin(), outcome.clients.end(),
                                    [](const ClientHistory& client) { return client.hearts == kMaxHearts; });
  // Both expert kinds: the result flag, the bonus counted towards the total, the first-time
  // bookkeeping and the trophy.
  auto expert = [&](const ExpertKind& kind, const std::string& result, bool achieved, int64_t bonus, int64_t threshold,
                    const char* trophy) {
    put(result, YesNo(achieved));
    put(result + "_bonus", std::to_string(achieved ? bonus : 0));
    if (!achieved) return;
    total += bonus;
    if (BookExpertLevel(kind, outcome.level, threshold, pending)) {
      put(trophy, "yes");
      award = true;
    }
  };
  expert(kExpertPatience, "expert_patience", allHappy, outcome.expertPatienceBonus, thresholds.expertPatience,
         "TrophyExpertPatience");
  expert(kExpertTime, "expert_time", outcome.counters.Get(kExpertTimeLeftMs) >= 1, outcome.expertTimeBonus,
         thresholds.expertTime, "TrophyExpertTime");

  put("clients_served", std::to_string(outcome.counters.Get(kClientsServed)));
  if (!outcome.replay &&
      BookClientsServedTrophy(outcome.counters.Get(kClientsServed), thresholds.clientsServed, pending)) {
    put("TrophyClientsServed", "yes");
    award = true;
  }
  put("total_money_earned", std::to_string(total));

  if (!outcome.replay && outcome.isShopLastLevel) {
    switch (BookShopTrophy(thresholds, pending)) {
      case ShopTrophy::kHalf:
        put("TrophyShopsServedHalf", "yes");
        award = true;
        break;
      case ShopTrophy::kAll:
        put("TrophyShopsServedAll", "yes");
        award = true;
        break;
      case ShopTrophy::kNone:
        break;
    }
  }
  put("level_tips", outcome.levelTips);
  put("show_award_screen", YesNo(award));
  results.profileWrites = pending.Writes();
  return results;
}

}  // namespace kestrelle
