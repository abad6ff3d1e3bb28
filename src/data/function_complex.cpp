#include "data/function_complex.h"

#include <climits>

#include "data/hier_storage.h"
#include "data/numbers.h"

namespace kestrelle {

namespace {
int IndexFrom(double value) {
  int64_t index = RealToInt(value);
  return index < INT_MIN || index > INT_MAX ? -1 : static_cast<int>(index);
}
}  // namespace

void TComplexFunction::Initialize() {
  TFunction::Initialize();
  subFunctions_ = Create<TFunctionCollection>();
}

void TComplexFunction::LoadProperties(const StorageRef& storage) {
  TFunction::LoadProperties(storage);
  LoadChildObject(subFunctions_, storage, "functions", 0);
}

void TComplexFunction::SaveProperties(const StorageRef& storage) {
  TFunction::SaveProperties(storage);
  SaveChildObject(subFunctions_, storage, "functions");
}

void TComplexFunction::SetOwner(const FunctionOwnerRef& owner) {
  TFunction::SetOwner(owner);
  auto self = SelfAs<IFunctionOwner>();
  for (int i = 0; i < SubFunctionCount(); ++i)
    if (FunctionRef sub = SubFunction(i)) sub->SetOwner(self);
}

void TComplexFunction::Unlink() {
  for (int i = 0; i < SubFunctionCount(); ++i)
    if (FunctionRef sub = SubFunction(i)) sub->Unlink();
  TFunction::Unlink();
}

void TComplexFunction::RunBefore() {
  TFunction::RunBefore();
  for (int i = 0; i < SubFunctionCount(); ++i)
    if (FunctionRef sub = SubFunction(i)) sub->Execute();
}

void TComplexFunction::Calculate() {
  for (int i = 0; i < SubFunctionCount(); ++i)
    if (FunctionRef sub = SubFunction(i)) sub->Calculate();
}

void TSelectorFunction::Calculate() {
  int index = SelectIndex();
  if (index >= 0 && index < SubFunctionCount())
    if (FunctionRef sub = SubFunction(index)) sub->Calculate();
}

int TFuncSelectorFunction::SelectIndex() {
  FunctionRef chooser = SubFunctionCount() > 0 ? SubFunction(0) : nullptr;
  if (!chooser) return -1;
  chooser->Calculate();
  if (chooser->GetOutputCount() == 0) return -1;
  return IndexFrom(chooser->GetOutput(0));
}

int TConstSelectorFunction::SelectIndex() { return IndexFrom(At(2, 0)); }

}  // namespace kestrelle
