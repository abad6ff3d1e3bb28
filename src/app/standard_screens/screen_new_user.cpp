#include "app/standard_screens/screen_new_user.h"

#include "app/standard_screens/screen_helpers.h"
#include "data/text_lists.h"
#include "records/user_profiles.h"

namespace kestrelle {

void TGameScreenNewUser::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  name_.clear();
  cancelAllowed_ = !screens::HasParam(params, "Necessary");
  if (WidgetRef cancel = FindWidget("button_cancel")) cancel->SetEnabled(cancelAllowed_);
  WidgetRef edit = FindWidget("edit_name");
  if (edit) edit->SetProperty("value", Variant(std::string()));
  if (!screens::HasParam(params, "user_name")) return;
  try {
    name_ = screens::ParamValue(params, "user_name").ToString();
    if (edit) edit->SetProperty("value", Variant(name_));
  } catch (...) {
  }
}

bool TGameScreenNewUser::KeyEvent(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  bool handled = TGameScreen::KeyEvent(message, wParam, lParam);
  if (handled || message != screens::kMessageKeyDown) return handled;
  if (wParam == screens::kKeyReturn) {
    Confirm(true);
    return true;
  }
  if (wParam == screens::kKeyEscape && cancelAllowed_) {
    Confirm(false);
    return true;
  }
  return handled;
}

void TGameScreenNewUser::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  std::string name = screens::WidgetName(sender);
  if (name == "button_ok" && code == screens::kEventClicked) {
    Confirm(true);
  } else if (name == "button_cancel" && code == screens::kEventClicked) {
    Confirm(false);
  } else if (name == "edit_name" && code == screens::kEventEditCharacter) {
    try {
      name_ = sender->GetProperty("text_utf8").ToString();
    } catch (...) {
    }
  }
}

void TGameScreenNewUser::Confirm(bool ok) {
  GameScreenOwnerRef owner = GetOwner();
  if (!owner) return;
  if (!ok) {
    owner->CloseScreen(SelfAs<IGameScreenSlave>(), nullptr);
    return;
  }
  std::string trimmed(TrimControl(name_));
  if (IsNameFree(trimmed))
    owner->CloseScreen(SelfAs<IGameScreenSlave>(), screens::OneParam("user_name", trimmed));
  else
    owner->ShowScreen("GS_QueryNotUniqueName", nullptr);
}

bool TGameScreenNewUser::IsNameFree(const std::string& name) {
  if (name.empty()) return false;
  GameScreenOwnerRef owner = GetOwner();
  UserProfilesRef profiles = owner ? owner->GetProfiles() : nullptr;
  return !profiles || !profiles->GetProfile(Variant(name));
}

}  // namespace kestrelle
