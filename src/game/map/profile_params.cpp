#include "game/map/profile_params.h"

#include "records/user_profiles.h"

namespace kestrelle {

ProfileValues SnapshotParams(const ParamsRef& params) {
  ProfileValues values;
  if (!params) return values;
  for (int i = 0; i < params->GetCount(); ++i)
    if (ParamRef param = params->GetParam(Variant(i))) values.Set(param->GetName(), param->GetValue().ToString());
  return values;
}

void WriteParams(const ProfileWrites& writes, const ParamsRef& params) {
  if (!params) return;
  for (const ProfileWrite& write : writes) params->SetValue(write.key, Variant(write.value));
}

ParamsRef CurrentProfileParams(const GameScreenOwnerRef& owner) {
  UserProfilesRef profiles = owner ? owner->GetProfiles() : nullptr;
  UserProfileRef profile = profiles ? profiles->GetCurrent() : nullptr;
  return profile ? profile->GetParams() : nullptr;
}

}  // namespace kestrelle
