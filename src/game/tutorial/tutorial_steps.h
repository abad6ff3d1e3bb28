#pragma once
// The guided level's step rules, apart from the widgets: what a press may do while a step page is
// up, which game events show the next page and which scripted clients they bring. The step
// counter is the number of the next page to show; the page on screen is the counter - 1.

#include <cstdint>
#include <string_view>

#include "game/level/combos.h"

namespace kestrelle::tutorial {

// The scripts of the scripted clients.
inline constexpr int kScriptFirstClient = 0;  // one client, three ordinary lines
inline constexpr int kScriptTwoClients = 2;   // two clients, three ordinary lines each
inline constexpr int kScriptVip = 5;          // one VIP client, three ordinary lines
inline constexpr int kScriptMinigame = 6;     // one client, two ordinary lines and a minigame line

// The page shown while a minigame of the guided level runs; it is not a step of the counter.
inline constexpr int64_t kMinigamePage = 13;
// The station whose waiting client the player is asked to call while the counter is 3.
inline constexpr std::string_view kCalledStation = "station_3";

// What a scripted client has fixed instead of drawn.
struct ScriptedOrder {
  int ordinaryLines = 3;
  bool vip = false;
  bool forcesMinigameLine = false;  // the level's "minigame_prob" counts as 100
};
ScriptedOrder OrderOfScript(int script);

// A press advances the page first, except while the player must call the client at station_3.
inline bool PressAdvancesFirst(int64_t counter) { return counter != 3; }
// The shelves take no press (not even a wrong click) while these pages explain.
inline bool ShelvesBlocked(int64_t counter) { return counter == 3 || (counter >= 7 && counter <= 12); }
// Calling an idle client advances the page at the step that asks for it.
inline bool ActivationAdvances(int64_t counter, std::string_view station) {
  return counter == 3 && station == kCalledStation;
}
// The first completed order shows its page before the next client is called.
inline bool OrderCompletionShowsStep(int64_t counter) { return counter == 1; }
// A client served at step 2 brings the two clients of page 2.
inline bool ServingBringsTwoClients(int64_t counter) { return counter == 2; }
// The third client served at step 5 brings the VIP client.
inline bool ServingBringsVip(int64_t counter, int64_t clientsServed) { return counter == 5 && clientsServed == 3; }
// A full-hearted VIP leaves a bonus, except the level's last client: the guided level never
// collects a bonus at once.
ServedBonus BonusOnServingGuided(int64_t hearts, bool vip, int64_t clientsServed, int64_t clientGoal);

}  // namespace kestrelle::tutorial
