#include "data/params.h"

#include "data/hier_storage.h"

namespace kestrelle {

void TParam::Initialize() {
  TPersistObject::Initialize();
  storageName_ = "param";
}

void TParam::LoadProperties(const StorageRef& storage) {
  TPersistObject::LoadProperties(storage);
  value_ = ReadString(storage, "value", "");
}

void TParam::SaveProperties(const StorageRef& storage) {
  TPersistObject::SaveProperties(storage);
  WriteString(storage, "value", value_.ToString());
}

void TParamCollection::Initialize() {
  TPersistCollection::Initialize();
  storageName_ = "params";
  itemElementName_ = "param";
}

void TParamCollection::LoadItem(const StorageRef& storage) {
  SetValue(ReadString(storage, "name", ""), ReadString(storage, "value", ""));
}

bool TParamCollection::SaveItem(const InterfaceRef& item, const StorageRef& storage) {
  auto param = std::dynamic_pointer_cast<IParam>(item);
  if (!param) return false;
  WriteString(storage, "name", param->GetName());
  WriteString(storage, "value", param->GetValue().ToString());
  return true;
}

ParamRef TParamCollection::GetParam(const Variant& key) const { return ItemAs<IParam>(key); }

void TParamCollection::AddParam(const ParamRef& param) {
  if (param) items_.Add(param, param->GetName());
}

void TParamCollection::SetValue(const std::string& name, const Variant& value) {
  if (ParamRef existing = GetParam(name)) {
    existing->SetValue(value);
    return;
  }
  auto param = Create<TParam>();
  param->SetName(name);
  param->SetValue(value);
  items_.Add(param, name);
}

Variant TParamCollection::GetValue(const std::string& name, const Variant& fallback) const {
  ParamRef param = GetParam(name);
  return param ? param->GetValue() : fallback;
}

void TParamsPropertyObject::Initialize() {
  TPropertyObject::Initialize();
  params_ = CreateParams();
  storageName_ = "properties";
}

void TParamsPropertyObject::LoadProperties(const StorageRef& storage) {
  TPropertyObject::LoadProperties(storage);
  LoadChildObject(params_, storage, "properties", 0);
}

void TParamsPropertyObject::SaveProperties(const StorageRef& storage) {
  TPropertyObject::SaveProperties(storage);
  SaveChildObject(params_, storage, "properties");
}

Variant TParamsPropertyObject::GetProperty(const std::string& name) {
  if (!params_) return Null{};
  // A missing parameter is Empty, so that GetPropertyDef falls back to its default.
  return params_->GetValue(name, Variant());
}

void TParamsPropertyObject::SetProperty(const std::string& name, const Variant& value) {
  if (params_) params_->SetValue(name, value);
}

ParamsRef CopyParams(const ParamsRef& source) {
  auto copy = CreateParams();
  if (!source) return copy;
  for (int i = 0; i < source->GetCount(); ++i)
    if (ParamRef param = source->GetParam(i)) copy->SetValue(param->GetName(), param->GetValue());
  return copy;
}

ParamsRef CreateParams(std::string_view creationParams) { return Create<TParamCollection>(creationParams); }

}  // namespace kestrelle
