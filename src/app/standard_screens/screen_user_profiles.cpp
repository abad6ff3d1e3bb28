#include "app/standard_screens/screen_user_profiles.h"

#include "app/standard_screens/screen_helpers.h"
#include "data/process_settings.h"
#include "media/language.h"
#include "records/user_profiles.h"

namespace kestrelle {

namespace {
UserProfilesRef ProfilesOf(const GameScreenOwnerRef& owner) { return owner ? owner->GetProfiles() : nullptr; }
}  // namespace

void TGameScreenUserProfiles::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  if (!listBox_) return;
  // The list shows its rows as they stand: player names untouched, and its own row's label
  // already translated (at start-up, or now when start-up did not take it).
  const std::string& label = Settings().CreateNewUserText;
  listBox_->AddItem(label.empty() ? Translate("%CreateNewUser%") : label, "");
  UserProfilesRef profiles = ProfilesOf(GetOwner());
  UserProfileRef current = profiles ? profiles->GetCurrent() : nullptr;
  selectedName_ = current ? current->GetName() : std::string();
  if (!profiles) return;
  for (int i = 0; i < profiles->GetCount(); ++i) {
    UserProfileRef profile = profiles->GetProfile(Variant(i));
    if (!profile) continue;
    listBox_->AddItem(profile->GetName(), "");
    if (profile->GetName() == selectedName_) listBox_->SetSelected(i + 1);
  }
}

void TGameScreenUserProfiles::SetOwner(const GameScreenOwnerRef& owner) {
  TGameScreen::SetOwner(owner);
  listBox_ = std::dynamic_pointer_cast<IListBoxControl>(FindWidget("listbox_profiles"));
}

void TGameScreenUserProfiles::Finalize() {
  listBox_.reset();
  TGameScreen::Finalize();
}

void TGameScreenUserProfiles::Hide() {
  TGameScreen::Hide();
  // Filled again at the next showing.
  if (listBox_) listBox_->ClearItems();
}

void TGameScreenUserProfiles::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  std::string name = screens::WidgetName(sender);
  GameScreenOwnerRef owner = GetOwner();
  if (name == "listbox_profiles") {
    if (code == screens::kEventListSelected && listBox_) {
      int selected = listBox_->GetSelected();
      if (selected != 0)
        selectedName_ = listBox_->GetItemText(Variant(selected));
      else if (owner)
        owner->ShowScreen("GS_NewUser", nullptr);
    } else if (code == screens::kEventListDoubleClick) {
      CloseProfiles(true);
    }
  } else if (code == screens::kEventClicked) {
    if (name == "button_ok") {
      CloseProfiles(true);
    } else if (name == "button_cancel") {
      CloseProfiles(false);
    } else if (name == "button_delete" && listBox_ && owner) {
      int selected = listBox_->GetSelected();
      if (selected > 0)
        owner->ShowScreen("GS_QueryDeleteProfile",
                          screens::OneParam("user_name", listBox_->GetItemText(Variant(selected))));
    }
  }
}

void TGameScreenUserProfiles::CloseProfiles(bool ok) {
  GameScreenOwnerRef owner = GetOwner();
  if (!owner) return;
  if (ok && listBox_) {
    if (UserProfilesRef profiles = owner->GetProfiles()) {
      profiles->SetCurrent(selectedName_);
      profiles->SaveToFile();
    }
  }
  owner->CloseScreen(SelfAs<IGameScreenSlave>(), nullptr);
}

void TGameScreenUserProfiles::SlaveClosed(const std::string& name, const ParamsRef& result) {
  TGameScreen::SlaveClosed(name, result);
  GameScreenOwnerRef owner = GetOwner();
  UserProfilesRef profiles = ProfilesOf(owner);
  if (!profiles) return;
  if (name == "GS_NewUser") {
    if (!screens::HasParam(result, "user_name")) return;
    std::string userName = screens::ParamValue(result, "user_name").ToString();
    profiles->GetOrCreate(userName);
    selectedName_ = userName;
    CloseProfiles(true);
    return;
  }
  if (name != "GS_QueryDeleteProfile" || !listBox_) return;
  if (screens::ParamValue(result, "Button").ToString() != "button_yes") return;
  int selected = listBox_->GetSelected();
  // Row 0 is the new-player entry and is never deleted.
  if (selected <= 0) return;
  profiles->Delete(Variant(selected - 1));
  listBox_->DeleteItem(Variant(selected));
  selected = listBox_->GetSelected();
  if (selected != 0) {
    selectedName_ = listBox_->GetItemText(Variant(selected));
    if (!profiles->GetCurrent()) profiles->SetCurrent(selectedName_);
  } else {
    profiles->SetCurrent("");
    ParamsRef necessary = screens::OneParam("Necessary", Variant(true));
    if (owner) owner->ShowScreen("GS_NewUser", necessary);
  }
  profiles->SaveToFile();
}

}  // namespace kestrelle
