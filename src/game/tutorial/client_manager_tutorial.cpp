#include "game/tutorial/client_manager_tutorial.h"

#include "game/level/client_arrival.h"
#include "game/tutorial/tutorial_steps.h"

namespace kestrelle {

namespace {

constexpr int64_t kCertain = 100;

}  // namespace

void TClientManagerTutorial::GenerateScriptedClients(int64_t count, int script) {
  if (!IsInitialized()) return;
  const tutorial::ScriptedOrder order = tutorial::OrderOfScript(script);
  ClientScript fixed;
  fixed.orderLines = order.ordinaryLines;
  fixed.vip = order.vip;
  if (order.forcesMinigameLine) fixed.minigameProbability = kCertain;
  for (const ShopStationRef& station : Stations()) {
    if (count <= 0) return;
    if (!IsStationFree(station->GetProperty("state").ToString(), station->GetProperty("currenttime").ToInt())) continue;
    if (SeatClient(station, fixed)) --count;
  }
}

}  // namespace kestrelle
