#include "game/content/definition.h"

#include "data/hier_storage.h"
#include "game/content/extra_params.h"

namespace kestrelle {

void TDefinition::Initialize() {
  TPropertyObject::Initialize();
  extraParams_.reset();
}

void TDefinition::LoadProperties(const StorageRef& storage) {
  TPropertyObject::LoadProperties(storage);
  extraParams_ = ParseExtraParams(ReadString(storage, "extraparams"));
}

void TDefinition::SaveProperties(const StorageRef& storage) {
  TPropertyObject::SaveProperties(storage);
  if (extraParams_) WriteString(storage, "extraparams", FormatExtraParams(extraParams_));
}

Variant TDefinition::GetProperty(const std::string& name) {
  Variant value = TPropertyObject::GetProperty(name);
  if (!value.IsEmptyOrNull() || !extraParams_) return value;
  ParamRef param = extraParams_->GetParam(name);
  return param ? param->GetValue() : MissingExtraParam();
}

std::string DefinitionText(TPropertyObject& definition, const std::string& name) {
  const Variant value = definition.GetProperty(name);
  return value.IsEmptyOrNull() ? std::string() : value.ToString();
}

}  // namespace kestrelle
