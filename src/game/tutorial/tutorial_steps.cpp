#include "game/tutorial/tutorial_steps.h"

namespace kestrelle::tutorial {

namespace {

constexpr int64_t kFullHearts = 3;

}  // namespace

ScriptedOrder OrderOfScript(int script) {
  ScriptedOrder order;
  order.vip = script == kScriptVip;
  if (script == kScriptMinigame) {
    order.ordinaryLines = 2;
    order.forcesMinigameLine = true;
  }
  return order;
}

ServedBonus BonusOnServingGuided(int64_t hearts, bool vip, int64_t clientsServed, int64_t clientGoal) {
  return hearts == kFullHearts && vip && clientsServed != clientGoal ? ServedBonus::kAfterLeaving : ServedBonus::kNone;
}

}  // namespace kestrelle::tutorial
