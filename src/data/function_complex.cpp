#include "data/function_complex.h"

#include <climits>

#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/path_base.h"

namespace kestrelle {

namespace {
int IndexFrom(double value) {
  int64_t index = RealToInt(value);
  return index < INT_MIN || index > INT_MAX ? -1 : static_cast<int>(index);
}
}  // namespace

template <class Base>
void TWithSubFunctions<Base>::Initialize() {
  Base::Initialize();
  subFunctions_ = Create<TFunctionCollection>();
}

template <class Base>
void TWithSubFunctions<Base>::LoadProperties(const StorageRef& storage) {
  Base::LoadProperties(storage);
  LoadChildObject(subFunctions_, storage, "functions", 0);
}

template <class Base>
void TWithSubFunctions<Base>::SaveProperties(const StorageRef& storage) {
  Base::SaveProperties(storage);
  SaveChildObject(subFunctions_, storage, "functions");
}

template <class Base>
void TWithSubFunctions<Base>::SetOwner(const FunctionOwnerRef& owner) {
  Base::SetOwner(owner);
  auto self = this->template SelfAs<IFunctionOwner>();
  for (int i = 0; i < SubFunctionCount(); ++i)
    if (FunctionRef sub = SubFunction(i)) sub->SetOwner(self);
}

template <class Base>
void TWithSubFunctions<Base>::Unlink() {
  for (int i = 0; i < SubFunctionCount(); ++i)
    if (FunctionRef sub = SubFunction(i)) sub->Unlink();
  Base::Unlink();
}

template <class Base>
void TWithSubFunctions<Base>::RunBefore() {
  Base::RunBefore();
  for (int i = 0; i < SubFunctionCount(); ++i)
    if (FunctionRef sub = SubFunction(i)) sub->Execute();
}

template class TWithSubFunctions<TFunction>;
template class TWithSubFunctions<TAbstractPathFunction>;

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
