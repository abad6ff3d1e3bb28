#include "game/map/main_menu_screen.h"

#include "app/standard_screens/screen_helpers.h"
#include "media/language.h"
#include "records/user_profiles.h"

namespace kestrelle {

namespace {

UserProfileRef CurrentProfile(const GameScreenOwnerRef& owner) {
  UserProfilesRef profiles = owner ? owner->GetProfiles() : nullptr;
  return profiles ? profiles->GetCurrent() : nullptr;
}

bool ParamIs(const UserProfileRef& profile, const std::string& name, const std::string& value) {
  ParamsRef params = profile ? profile->GetParams() : nullptr;
  return params && params->GetValue(name, Variant(std::string("no"))).ToString() == value;
}

}  // namespace

void TKestrelleGameScreenMain::LoadProperties(const StorageRef& storage) {
  TGameScreen::LoadProperties(storage);
  content_.Load(storage);
}

void TKestrelleGameScreenMain::SetOwner(const GameScreenOwnerRef& owner) {
  TGameScreen::SetOwner(owner);
  content_.Publish(owner);
}

void TKestrelleGameScreenMain::Finalize() {
  content_.Withdraw(GetOwner());
  TGameScreen::Finalize();
}

void TKestrelleGameScreenMain::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  ShowWelcome();
}

void TKestrelleGameScreenMain::OnShown(const ParamsRef& params) {
  TGameScreen::OnShown(params);
  // Opened once the menu itself is up, so the name query sits on top of it.
  GameScreenOwnerRef owner = GetOwner();
  if (owner && !CurrentProfile(owner)) owner->ShowScreen("GS_NewUser", screens::OneParam("Necessary", Variant(true)));
}

void TKestrelleGameScreenMain::ShowWelcome() {
  UserProfileRef profile = CurrentProfile(GetOwner());
  if (!profile) return;
  WidgetRef welcome = FindWidget("welcome_message");
  if (!welcome) return;
  SetVariable("username", profile->GetName());
  // The text widget translates what it is given: handing it the key (not the translated text)
  // keeps a name with percent signs from being translated a second time.
  welcome->SetProperty("text_utf8", Variant(std::string("%welcome%")));
}

void TKestrelleGameScreenMain::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  if (code != screens::kEventClicked) return;
  GameScreenOwnerRef owner = GetOwner();
  if (!owner) return;
  const std::string name = screens::WidgetName(sender);
  if (name == "button_start") {
    UserProfileRef profile = CurrentProfile(owner);
    if (profile && ParamIs(profile, "show_history", "no")) {
      profile->GetParams()->SetValue("show_history", Variant(std::string("yes")));
      owner->ShowScreen("GS_History", nullptr);
    } else {
      owner->ShowScreen("GS_Map", nullptr);
    }
  } else if (name == "button_exit") {
    owner->ShowScreen("GS_Quit", nullptr);
  }
}

void TKestrelleGameScreenMain::SlaveClosed(const std::string& name, const ParamsRef& result) {
  TGameScreen::SlaveClosed(name, result);
  GameScreenOwnerRef owner = GetOwner();
  if (!owner) return;
  if (name == "GS_NewUser") {
    if (!screens::HasParam(result, "user_name")) return;
    UserProfilesRef profiles = owner->GetProfiles();
    if (!profiles) return;
    const std::string userName = screens::ParamValue(result, "user_name").ToString();
    profiles->GetOrCreate(userName);
    profiles->SetCurrent(userName);
    // A new player is on disk at once, not only at the next save of the game.
    profiles->SaveToFile();
    ShowWelcome();
  } else if (name == "GS_History") {
    owner->ShowScreen("GS_Map", nullptr);
  } else if (name == "GS_Game") {
    if (result && result->GetCount() > 0) owner->ShowScreen("GS_HighScores", result);
  } else if (name == "GS_Map") {
    if (WidgetRef group = FindWidget("scenario_group")) group->Restart();
  } else {
    // The players screen may have chosen somebody else.
    ShowWelcome();
  }
}

}  // namespace kestrelle
