#include "game/map/map_screen.h"

#include "app/standard_screens/screen_helpers.h"
#include "game/map/map_codes.h"
#include "game/map/profile_params.h"

namespace kestrelle {

std::string TKestrelleGameScreenMap::ScreenOfNotification(int32_t code) {
  switch (code) {
    case map_codes::kStartLevel:
      return "GS_GameMain";
    case map_codes::kShowFinal:
      return "GS_Final";
    case map_codes::kShowActions:
      return "GS_Actions";
    case map_codes::kShowDialogue:
      return "GS_Dialogue";
    case map_codes::kShowReplay:
      return "GS_Replay";
    case map_codes::kGameCompleted:
      return "GS_GameCompleted";
    case map_codes::kShopCompleted:
      return "GS_ShopCompleted";
    case map_codes::kLastShopLevel:
      return "GS_LastShopLevel";
    case map_codes::kCompleteTasks:
      return "GS_CompleteTasks";
    case map_codes::kStartGuidedLevel:
      return "GS_GameTutorial";
    case map_codes::kShowMapTutorial:
      return "GS_MapTutorial";
    case map_codes::kShopLocked:
      return "GS_ShopLocked";
    case map_codes::kShowRoomTutorial:
      return "GS_RoomTutorial";
    case map_codes::kShowHighScores:
      return "GS_HighScores";
    default:
      return {};
  }
}

void TKestrelleGameScreenMap::SendToMap(int32_t code, const ParamsRef& params) {
  if (WidgetRef map = FindWidget("map_control")) map->HandleEvent(code, params);
}

void TKestrelleGameScreenMap::Open(const std::string& screen, const ParamsRef& params) {
  if (IsShowing()) {
    pending_.emplace_back(screen, params);
    return;
  }
  if (GameScreenOwnerRef owner = GetOwner()) owner->ShowScreen(screen, params);
}

void TKestrelleGameScreenMap::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  pending_.clear();
  SendToMap(map_codes::kMapShown, nullptr);
  ParamsRef profile = CurrentProfileParams(GetOwner());
  if (profile && profile->GetValue("show_map", Variant(std::string("no"))).ToString() == "no") {
    profile->SetValue("show_map", Variant(std::string("yes")));
    Open("GS_MapFirstTime", nullptr);
  }
}

void TKestrelleGameScreenMap::OnShown(const ParamsRef& params) {
  TGameScreen::OnShown(params);
  auto pending = std::move(pending_);
  pending_.clear();
  for (const auto& [screen, screenParams] : pending) Open(screen, screenParams);
}

void TKestrelleGameScreenMap::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  const std::string name = screens::WidgetName(sender);
  if (name == "button_play") {
    if (code == screens::kEventClicked) SendToMap(map_codes::kPlay, nullptr);
    return;
  }
  if (name != "map_control") return;
  const std::string screen = ScreenOfNotification(code);
  if (!screen.empty()) Open(screen, params);
}

void TKestrelleGameScreenMap::SlaveClosed(const std::string& name, const ParamsRef& result) {
  TGameScreen::SlaveClosed(name, result);
  if (name == "GS_GameMain")
    SendToMap(map_codes::kLevelFinished, result);
  else if (name == "GS_Dialogue")
    SendToMap(map_codes::kDialogueClosed, result);
  else if (name == "GS_Actions")
    SendToMap(map_codes::kActionsClosed, result);
  else if (name == "GS_LastShopLevel")
    SendToMap(map_codes::kLastShopLevelClosed, result);
  else if (name == "GS_GameTutorial")
    SendToMap(map_codes::kGuidedLevelClosed, result);
  else if (name == "GS_Final")
    SendToMap(map_codes::kFinalClosed, result);
}

}  // namespace kestrelle
