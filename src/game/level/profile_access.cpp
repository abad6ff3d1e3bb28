#include "game/level/profile_access.h"

#include "records/user_profiles.h"

namespace kestrelle {

GameScreenOwnerRef GameOfWidget(IWidget& widget) {
  WidgetOwnerRef owner = widget.GetOwner();
  EventHandlerRef handler = owner ? owner->GetEventHandler() : nullptr;
  return handler ? handler->GetGameOwner() : nullptr;
}

UserProfileRef CurrentProfileOf(const GameScreenOwnerRef& game) {
  UserProfilesRef profiles = game ? game->GetProfiles() : nullptr;
  return profiles ? profiles->GetCurrent() : nullptr;
}

ProfileValues SnapshotProfile(const UserProfileRef& profile) {
  ProfileValues values;
  ParamsRef params = profile ? profile->GetParams() : nullptr;
  if (!params) return values;
  for (int i = 0; i < params->GetCount(); ++i) {
    if (ParamRef param = params->GetParam(Variant(i))) values.Set(param->GetName(), param->GetValue().ToString());
  }
  return values;
}

void WriteProfile(const UserProfileRef& profile, const ProfileWrites& writes) {
  ParamsRef params = profile ? profile->GetParams() : nullptr;
  if (!params) return;
  for (const ProfileWrite& write : writes) params->SetValue(write.key, Variant(write.value));
}

void SaveProfiles(const GameScreenOwnerRef& game) {
  if (UserProfilesRef profiles = game ? game->GetProfiles() : nullptr) profiles->SaveToFile();
}

}  // namespace kestrelle
