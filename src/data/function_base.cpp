#include "data/function_base.h"

#include "data/hier_storage.h"

namespace kestrelle {

void TFunction::Initialize() {
  TPersistObject::Initialize();
  storageName_ = "function";
  paramSpace_ = Create<TParamSpace>();
  preparation_ = nullptr;
}

void TFunction::LoadProperties(const StorageRef& storage) {
  TPersistObject::LoadProperties(storage);
  LoadChildObject(paramSpace_, storage, "paramspace", 0);
  if (storage && storage->GetChildCount("preparation_function") > 0)
    preparation_ = std::dynamic_pointer_cast<IFunction>(CreateChildObject(storage, "preparation_function", 0));
}

void TFunction::SaveProperties(const StorageRef& storage) {
  TPersistObject::SaveProperties(storage);
  SaveChildObject(paramSpace_, storage, "paramspace");
  if (preparation_) SaveChildObject(preparation_, storage, "preparation_function");
}

void TFunction::SetOwner(const FunctionOwnerRef& owner) {
  owner_ = owner;
  paramSpace_->SetSource(owner ? owner->GetParamSpace() : nullptr);
  values_ = paramSpace_->GetMatrix();
  before_ = after_ = nullptr;
  if (!preparation_) return;
  preparation_->SetOwner(SelfAs<IFunctionOwner>());
  if (FunctionCollectionRef subs = preparation_->GetSubFunctions(); subs && subs->GetCount() > 0) {
    before_ = subs->GetByName("before");
    after_ = subs->GetByName("after");
  }
  if (!before_ && !after_) before_ = preparation_;
}

void TFunction::Unlink() {
  if (preparation_) preparation_->Unlink();
  paramSpace_->Unlink();
  values_.clear();
  owner_.reset();
  before_ = after_ = nullptr;
}

void TFunction::Execute() {
  RunBefore();
  ExecuteHook();
  RunAfter();
}

void TFunction::RunBefore() {
  if (before_) before_->Calculate();
}

void TFunction::RunAfter() {
  if (after_) after_->Calculate();
}

std::string TFunction::GetSlotName(int vector, int slot) {
  ParamDefRef definition = paramSpace_->GetParamDefs()->GetAt(vector, slot);
  return definition ? definition->GetName() : std::string();
}

std::string TFunction::GetSlotOutName(int vector, int slot) {
  ParamDefRef definition = paramSpace_->GetParamDefs()->GetAt(vector, slot);
  if (!definition) return {};
  std::string outName = definition->GetOutName();
  return outName.empty() ? definition->GetName() : outName;
}

int TFunction::Length(int vector) const {
  return vector >= 0 && vector < VectorCount() ? static_cast<int>(values_[static_cast<size_t>(vector)].size()) : 0;
}

float* TFunction::Slot(int vector, int slot) const {
  if (slot < 0 || slot >= Length(vector)) return nullptr;
  return values_[static_cast<size_t>(vector)][static_cast<size_t>(slot)].get();
}

double TFunction::At(int vector, int slot) const {
  float* value = Slot(vector, slot);
  return value ? static_cast<double>(*value) : 0.0;
}

void TFunction::Put(int vector, int slot, double value) {
  if (float* target = Slot(vector, slot)) *target = static_cast<float>(value);
}

void TFunctionCollection::Initialize() {
  TTypedCreationPersistItemCollection::Initialize();
  storageName_ = "functions";
  itemElementName_ = "function";
}

void TFunctionCollection::AddItem(const InterfaceRef& item) {
  auto function = std::dynamic_pointer_cast<IFunction>(item);
  if (!function) return;
  std::string name = function->GetName();
  items_.Add(function, name, -1, name.empty());
}

}  // namespace kestrelle
