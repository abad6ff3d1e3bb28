#include "game/tutorial/control_game_tutorial.h"

#include <string>

#include "game/level/level_codes.h"
#include "game/level/profile_values.h"
#include "game/level/shop_client.h"
#include "game/level/shop_station.h"
#include "game/tutorial/client_manager_tutorial.h"
#include "game/tutorial/tutorial_steps.h"

namespace kestrelle {

namespace {

// The one tool the guided level offers.
constexpr const char* kGuidedTool = "Hint_1";

}  // namespace

void TKestrelleControlGameTutorial::Initialize() {
  TKestrelleControlGameMain::Initialize();
  stepCounter_ = 0;
}

WidgetRef TKestrelleControlGameTutorial::Steps() { return ScreenWidget("states"); }

WidgetRef TKestrelleControlGameTutorial::Page(int64_t n) {
  WidgetRef steps = Steps();
  WidgetCollectionRef pages = steps ? steps->GetWidgets() : nullptr;
  return pages ? pages->GetByName(std::to_string(n)) : nullptr;
}

void TKestrelleControlGameTutorial::GenerateScriptedClients(int64_t count, int script) {
  if (auto manager = std::dynamic_pointer_cast<IClientManagerTutorial>(clientManager_))
    manager->GenerateScriptedClients(count, script);
}

void TKestrelleControlGameTutorial::ShowStep(int64_t n) {
  WidgetRef steps = Steps();
  if (!steps) return;
  if (n == 0) GenerateScriptedClients(1, tutorial::kScriptFirstClient);
  steps->SetProperty("state", Variant(n));
  ++stepCounter_;
}

void TKestrelleControlGameTutorial::AdvanceStep() {
  WidgetRef page = Page(stepCounter_ - 1);
  if (page && page->GetProperty("show_next_state").ToString() == "no")
    page->SetVisible(false);
  else
    ShowStep(stepCounter_);
  WidgetOwnerRef owner = GetOwner();
  if (WidgetRef debug = owner ? owner->FindWidget("DEBUG") : nullptr)
    debug->SetProperty("text", Variant(std::to_string(stepCounter_ - 1)));
}

void TKestrelleControlGameTutorial::Command(int32_t code, const ParamsRef& params) {
  if (code == level_codes::kAdvanceStep)
    AdvanceStep();
  else
    TKestrelleControlGameMain::Command(code, params);
}

void TKestrelleControlGameTutorial::SetUpLevel() {
  stepCounter_ = 0;
  if (WidgetRef steps = Steps()) {
    // No page is the shown one, so that page 0 shows and restarts again after a restart.
    steps->SetProperty("state", Variant(int64_t{-1}));
    WidgetCollectionRef pages = steps->GetWidgets();
    for (int i = 0; pages && i < pages->GetCount(); ++i)
      if (WidgetRef page = pages->GetByIndex(i)) page->SetVisible(false);
  }
  TKestrelleControlGameMain::SetUpLevel();
}

ClientManagerRef TKestrelleControlGameTutorial::CreateClientManager() { return Create<TClientManagerTutorial>(); }

OwnedTools TKestrelleControlGameTutorial::ListProfileTools() {
  if (ProfileSnapshot().Integer("tool_Hint", 1) <= 0) return {};
  return {std::string(kGuidedTool) + ";", 1};
}

void TKestrelleControlGameTutorial::StartLevelFinished() {
  state_ = kLevelStateGuided;
  ShowStep(stepCounter_);
}

bool TKestrelleControlGameTutorial::HandlePress(const TPoint& point) {
  if (state_ != kLevelStateGuided && state_ != kLevelStatePlaying) return false;
  if (tutorial::PressAdvancesFirst(stepCounter_)) AdvanceStep();
  if (ShopStationRef station = StationAt(point))
    StationClicked(station);
  else if (!tutorial::ShelvesBlocked(stepCounter_))
    ShelfPressed(point);
  return true;
}

void TKestrelleControlGameTutorial::StationClicked(const ShopStationRef& station) {
  const std::string stationState = station->GetProperty("state").ToString();
  ShopClientRef client = station->GetClient();
  const bool callsIdleClient =
      stationState == kStationBusy && client && client->GetProperty("state").ToString() == kClientIdle;
  const bool takesBonus = stationState == kStationBonus;
  TKestrelleControlGameMain::StationClicked(station);
  if (callsIdleClient && tutorial::ActivationAdvances(stepCounter_, station->GetName())) AdvanceStep();
  if (takesBonus) {
    ShowStep(stepCounter_);
    GenerateScriptedClients(1, tutorial::kScriptMinigame);
  }
}

void TKestrelleControlGameTutorial::ServeClient(const ShopStationRef& station, const ShopClientRef& client) {
  const bool vip = client->GetProperty("vip").ToString() == "yes";
  TKestrelleControlGameMain::ServeClient(station, client);
  // Each test sees the counter as the one before left it.
  if (tutorial::ServingBringsTwoClients(stepCounter_)) {
    ShowStep(2);
    GenerateScriptedClients(2, tutorial::kScriptTwoClients);
  }
  if (tutorial::ServingBringsVip(stepCounter_, GetCounter(kClientsServed))) {
    ShowStep(5);
    GenerateScriptedClients(1, tutorial::kScriptVip);
  }
  if (vip) ShowStep(stepCounter_);
}

ServedBonus TKestrelleControlGameTutorial::BonusForServedClient(int64_t hearts, bool vip) {
  return tutorial::BonusOnServingGuided(hearts, vip, GetCounter(kClientsServed), GetCounter(kClientGoal));
}

void TKestrelleControlGameTutorial::ItemClicked(const WidgetRef& item, const TPoint& point) {
  const int64_t before = state_;
  TKestrelleControlGameMain::ItemClicked(item, point);
  // The minigame page shows while the item's minigame runs; the step counter stays.
  if (before != kLevelStateMinigame && state_ == kLevelStateMinigame)
    if (WidgetRef steps = Steps()) steps->SetProperty("state", Variant(tutorial::kMinigamePage));
}

void TKestrelleControlGameTutorial::OrderCompleted(size_t stationIndex) {
  if (tutorial::OrderCompletionShowsStep(stepCounter_)) ShowStep(1);
  TKestrelleControlGameMain::OrderCompleted(stationIndex);
}

void TKestrelleControlGameTutorial::MinigameFinished(const ParamsRef& params) {
  TKestrelleControlGameMain::MinigameFinished(params);
  if (WidgetRef page = Page(tutorial::kMinigamePage)) page->SetVisible(false);
}

}  // namespace kestrelle
